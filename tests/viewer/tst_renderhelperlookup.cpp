// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartRenderClient.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Where the viewer looks for its render helper: beside the program in a build or a portable program folder,
// in libexec/varnelox of an installed program.
class RenderHelperLookupTest : public QObject {
    Q_OBJECT

private slots:
    void findsTheHelper_data();
    void findsTheHelper();
};

namespace {

// A fixture entry below the temporary root: "path" an executable file, "path/" a folder, "path-" a file
// that may not be run.
void make(const QString &root, const QString &entry)
{
    if (entry.endsWith(u'/')) {
        QVERIFY(QDir(root).mkpath(entry));
        return;
    }
    const bool runnable = !entry.endsWith(u'-');
    const QString path = QDir(root).filePath(runnable ? entry : entry.chopped(1));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.setPermissions(runnable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                         : QFile::ReadOwner | QFile::WriteOwner));
}

} // namespace

void RenderHelperLookupTest::findsTheHelper_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("found"); // below the root

    const QString beside = QStringLiteral("usr/bin/varnelox-render");
    const QString installed = QStringLiteral("usr/libexec/varnelox/varnelox-render");
    QTest::addRow("build or portable folder") << QStringList{beside} << beside;
    QTest::addRow("installed") << QStringList{"usr/bin/", installed} << installed;
    QTest::addRow("beside comes first") << QStringList{beside, installed} << beside;
    QTest::addRow("a folder beside is no helper") << QStringList{beside + "/", installed} << installed;
    QTest::addRow("a file beside that may not run") << QStringList{beside + "-", installed} << installed;
    QTest::addRow("none: the path beside, which is reported missing") << QStringList{"usr/bin/"} << beside;
    QTest::addRow("installed one may not run") << QStringList{"usr/bin/", installed + "-"} << beside;
}

void RenderHelperLookupTest::findsTheHelper()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, found);

    const QTemporaryDir root;
    QVERIFY(root.isValid());
    for (const QString &entry : entries)
        make(root.path(), entry);
    QCOMPARE(viewer::findRenderHelper(root.filePath("usr/bin"), "../libexec/varnelox"), root.filePath(found));
}

QTEST_GUILESS_MAIN(RenderHelperLookupTest)
#include "tst_renderhelperlookup.moc"
