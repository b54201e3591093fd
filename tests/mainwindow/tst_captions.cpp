// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "TextFitting.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QToolButton>

namespace {

// The part of a control's box that is seen, in the control's own coordinates: its box, cut by its
// container (and theirs, up to the window) and less every control stacked above it in the same container,
// but for those laid inside it (the support address on the about text).
QRegion partInView(const QWidget *control)
{
    QRegion part(control->rect());
    QPoint origin;
    for (const QWidget *child = control; !child->isWindow(); child = child->parentWidget()) {
        origin += child->pos();
        part &= QRegion(child->parentWidget()->rect()).translated(-origin);
    }
    const QObjectList &stack = control->parentWidget()->children();
    for (qsizetype index = stack.indexOf(control) + 1; index < stack.size(); ++index) {
        const auto *above = qobject_cast<const QWidget *>(stack.at(index));
        const QRect cover = above ? above->geometry().translated(-control->pos()) : QRect();
        if (above && !above->isHidden() && !control->rect().contains(cover))
            part -= QRegion(cover);
    }
    return part;
}

bool inside(const QRect &text, const QRegion &part)
{
    return !text.isEmpty() && QRegion(text).subtracted(part).isEmpty();
}

QString describe(const QWidget *control, const QString &caption, const QRect &text)
{
    return QStringLiteral("%1 \"%2\" needs %3,%4 %5x%6 in %7x%8 (%9 %10 pt)")
        .arg(control->objectName(), caption)
        .arg(text.x())
        .arg(text.y())
        .arg(text.width())
        .arg(text.height())
        .arg(control->width())
        .arg(control->height())
        .arg(QFontInfo(control->font()).family())
        .arg(control->font().pointSizeF());
}

// Where each kind of control draws its caption, as its style lays it out, in the control's coordinates;
// empty when the style would cut it.
QRect labelText(const QLabel *label)
{
    const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
}

QRect optionButtonText(const QRadioButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (text.width() > room.width())
        return {};
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignLeft | Qt::AlignVCenter, text, room);
}

// Below the picture and inside the button's frame; a wider caption is cut with "…".
QRect pictureButtonText(const QToolButton *button)
{
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    QRect room = button->rect().adjusted(frame, frame, -frame, -frame);
    room.setTop(room.top() + button->iconSize().height() + 3);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (text.width() > room.width())
        return {};
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, text, room);
}

QRect frameText(const QGroupBox *frame)
{
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label =
        frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    const QSize text = frame->fontMetrics().size(Qt::TextShowMnemonic, frame->title().trimmed());
    if (text.width() > label.width())
        return {};
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, text, label);
}

} // namespace

// Every caption of the main window's layout (headings, option buttons, picture buttons, frame captions, the
// information panel) stands whole in the part of its box that is seen, in the fonts the program ships.
class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionStandsWhole();
    void headingsKeepTheirLines_data();
    void headingsKeepTheirLines();
};

void CaptionsTest::everyCaptionStandsWhole()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    QWidget &window = fixture.load();
    fixture.lookUp(QStringLiteral("LIRF"));
    const QWidget *chartViewer = fixture.control(QStringLiteral("openPDF"));
    QVERIFY(chartViewer);

    QStringList cut;
    int captions = 0;
    const auto check = [&](const QWidget *control, const QString &caption, const QRect &text) {
        if (caption.trimmed().isEmpty() || chartViewer->isAncestorOf(control))
            return;
        ++captions;
        if (!QFontInfo(control->font()).family().startsWith(QLatin1String("Liberation")))
            cut << QStringLiteral("%1: not a shipped font").arg(describe(control, caption, text));
        else if (!inside(text, partInView(control)))
            cut << describe(control, caption, text);
    };
    for (const QLabel *label : window.findChildren<QLabel *>())
        check(label, label->text(), labelText(label));
    for (const QRadioButton *button : window.findChildren<QRadioButton *>())
        check(button, button->text(), optionButtonText(button));
    for (const QToolButton *button : window.findChildren<QToolButton *>()) {
        if (button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon)
            check(button, button->text(), pictureButtonText(button));
    }
    for (const QGroupBox *frame : window.findChildren<QGroupBox *>())
        check(frame, frame->title(), frameText(frame));

    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    // 9 headings, the information panel's 3 labels, 7 categories, 7 picture buttons, 5 frame captions, and
    // the position line of the status line ("NO SIMULATOR").
    QCOMPARE(captions, 32);
}

void CaptionsTest::headingsKeepTheirLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<int>("lines");
    QTest::newRow("runway") << "Label8_0" << 11.25 << 2;
    QTest::newRow("length") << "Label7_0" << 11.25 << 2;
    QTest::newRow("frequency") << "Label6_1" << 11.25 << 2;
    QTest::newRow("course") << "Label6_2" << 11.25 << 2;
    QTest::newRow("long") << "Label3_0" << 11.25 << 1;
    QTest::newRow("lat") << "Label4_0" << 11.25 << 1;
    QTest::newRow("code") << "Label2" << 14.25 << 1;
    QTest::newRow("height") << "Label5" << 14.25 << 1;
    QTest::newRow("name") << "Label1" << 15.75 << 1;
}

// A heading too tall for its box is drawn smaller, on the lines it wraps into at its own size, and never
// below the smallest size.
void CaptionsTest::headingsKeepTheirLines()
{
    QFETCH(QString, name);
    QFETCH(qreal, pointSize);
    QFETCH(int, lines);
    MainWindowFixture fixture;
    fixture.load();
    auto *heading = fixture.control<QLabel>(name);
    QVERIFY(heading);
    QCOMPARE(heading->textFormat(), Qt::PlainText);
    QCOMPARE(qRound(qreal(labelText(heading).height()) / heading->fontMetrics().lineSpacing()), lines);
    QVERIFY(heading->font().pointSizeF() <= pointSize);
    QVERIFY(heading->font().pointSizeF() >= pointSize * mainwindow::SmallestFontScale - 0.01);
}

QTEST_MAIN(CaptionsTest)
#include "tst_captions.moc"
