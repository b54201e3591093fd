// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunwayRows.h"

#include <QTest>

using namespace import;

namespace {

// "04R*|22L": the two ends, a star marking each end with a localizer (its frequency is the end's name).
RunwayEnds runwayOf(const QString &text)
{
    const QStringList ends = text.split(u'|');
    const auto end = [](QString name) { return name.endsWith(u'*') ? name.chopped(1) : name; };
    const auto ils = [&](const QString &name) {
        return name.endsWith(u'*') ? std::optional<Localizer>({end(name), QStringLiteral("090")})
                                   : std::nullopt;
    };
    return {end(ends.value(0)), end(ends.value(1)), ils(ends.value(0)), ils(ends.value(1))};
}

// "27/09 1 27": the designator, the runway's index and the end whose localizer the row shows.
QString rowText(const RunwayRow &row)
{
    return QStringLiteral("%1 %2 %3")
        .arg(row.designator)
        .arg(row.runway)
        .arg(row.ils ? row.ils->frequency : QString())
        .trimmed();
}

} // namespace

// The rule that gives each runway end with a localizer a row of its own.
class TestRunwayRows : public QObject {
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void naturalOrder_data();
    void naturalOrder();
};

void TestRunwayRows::rows_data()
{
    QTest::addColumn<QStringList>("runways");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("withoutDesignator");
    QTest::addColumn<int>("beyondTwelve");

    QTest::addRow("localizers at both ends: a row each, named by its end")
        << QStringList{"04R*|22L*"} << QStringList{"04R 0 04R", "22L 0 22L"} << 0 << 0;
    QTest::addRow("at the high end: that end first")
        << QStringList{"09|27*"} << QStringList{"27/09 0 27"} << 0 << 0;
    QTest::addRow("at the low end") << QStringList{"09*|27"} << QStringList{"09/27 0 09"} << 0 << 0;
    QTest::addRow("none: the row as it was") << QStringList{"14|32"} << QStringList{"14/32 0"} << 0 << 0;
    QTest::addRow("natural order: 7 before 16, H2 before H10")
        << QStringList{"16|34", "7|25", "H10|", "H2|"} << QStringList{"7/25 1", "16/34 0", "H2 3", "H10 2"}
        << 0 << 0;
    QTest::addRow("same number: leading zeros ignored, then the letters")
        << QStringList{"22R*|04L", "04R|22L", "4L|22R"}
        << QStringList{"4L/22R 2", "04R/22L 1", "22R/04L 0 22R"} << 0 << 0;
    QTest::addRow("one end named") << QStringList{"|N*", "S|"} << QStringList{"N 0 N", "S 1"} << 0 << 0;
    QTest::addRow("neither end named: no row")
        << QStringList{"|", "15|33"} << QStringList{"15/33 1"} << 1 << 0;

    QStringList many;
    QStringList kept;
    for (int number = 1; number <= 13; ++number) {
        const QString low = QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
        many.append(low + (number == 13 ? QStringLiteral("*|") : QStringLiteral("|")) +
                    QString::number(number + 18));
        if (number <= 11)
            kept.append(QStringLiteral("%1/%2 %3").arg(low).arg(number + 18).arg(number - 1));
    }
    kept.append(QStringLiteral("13/31 12 13"));
    QTest::addRow("thirteen: the one with a localizer kept first") << many << kept << 0 << 1;
}

void TestRunwayRows::rows()
{
    QFETCH(QStringList, runways);
    QFETCH(QStringList, rows);
    QFETCH(int, withoutDesignator);
    QFETCH(int, beyondTwelve);

    QList<RunwayEnds> ends;
    for (const QString &runway : runways)
        ends.append(runwayOf(runway));
    const RunwayRowPlan plan = planRunwayRows(ends);
    QStringList planned;
    for (const RunwayRow &row : plan.rows)
        planned.append(rowText(row));
    QCOMPARE(planned, rows);
    QCOMPARE(plan.withoutDesignator, withoutDesignator);
    QCOMPARE(plan.beyondTwelve, beyondTwelve);
}

void TestRunwayRows::naturalOrder_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("before");

    QTest::addRow("7 before 16") << "7/25"
                                 << "16/34" << true;
    QTest::addRow("16 after 7") << "16/34"
                                << "7/25" << false;
    QTest::addRow("H2 before H10") << "H2"
                                   << "H10" << true;
    QTest::addRow("shorter first") << "09"
                                   << "09L" << true;
    QTest::addRow("equal numbers: as written") << "04R"
                                               << "4R" << true;
    QTest::addRow("never before itself") << "27/09"
                                         << "27/09" << false;
}

void TestRunwayRows::naturalOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, before);

    QCOMPARE(naturallyBefore(a, b), before);
}

QTEST_GUILESS_MAIN(TestRunwayRows)
#include "tst_runwayrows.moc"
