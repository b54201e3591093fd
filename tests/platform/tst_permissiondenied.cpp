// SPDX-License-Identifier: GPL-3.0-or-later
// A directory file or a chart that may not be read, or that lies in a folder that may not be entered, is
// reported as "Permission denied", never as missing.

#include "AirportDirectory.h"
#include "ChartFixtures.h"
#include "ChartMessages.h"
#include "ChartRenderClient.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

Q_DECLARE_METATYPE(viewer::ChartFailure)

namespace {

// Root passes over file permissions through two capabilities. Takes them from this process for good, and
// from every program it starts (the render helper): what is left is an error text, empty on success.
QString dropPermissionOverride()
{
    if (geteuid() != 0)
        return {};
    const int capabilities[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};
    for (int capability : capabilities) {
        if (prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0)
            return QString::fromLocal8Bit(std::strerror(errno));
    }
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    for (int capability : capabilities) {
        const quint32 bit = 1u << (capability % 32);
        data[capability / 32].effective &= ~bit;
        data[capability / 32].permitted &= ~bit;
        data[capability / 32].inheritable &= ~bit;
    }
    if (syscall(SYS_capset, &header, data) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

bool setMode(const QString &path, mode_t mode)
{
    return chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class PermissionDeniedTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void saysPermissionDenied_data();
    void saysPermissionDenied();

private:
    QTemporaryDir m_dir;
    QString m_locked;
};

void PermissionDeniedTest::initTestCase()
{
    const QString refused = dropPermissionOverride();
    if (!refused.isEmpty())
        QSKIP(qPrintable(QStringLiteral("running as root, and root's power to pass over file permissions "
                                        "cannot be given up here: %1")
                             .arg(refused)));
    QVERIFY(m_dir.isValid());
}

void PermissionDeniedTest::cleanup()
{
    // Opened up again so that the temporary folder can be removed.
    if (!m_locked.isEmpty())
        QVERIFY(setMode(m_locked, 0700));
    m_locked.clear();
}

void PermissionDeniedTest::saysPermissionDenied_data()
{
    QTest::addColumn<bool>("chart");        // else the airport directory
    QTest::addColumn<bool>("lockedFolder"); // else the file itself may not be read

    QTest::addRow("directory file") << false << false;
    QTest::addRow("directory in a locked folder") << false << true;
    QTest::addRow("chart file") << true << false;
    QTest::addRow("chart in a locked folder") << true << true;
}

void PermissionDeniedTest::saysPermissionDenied()
{
    QFETCH(bool, chart);
    QFETCH(bool, lockedFolder);

    const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + (chart ? QStringLiteral("/ADPRF1-1.PDF") : QStringLiteral("/airports.txt"));
    QVERIFY(chart ? fixtures::writeChart(file) : fixtures::writeBytes(file, "A LIRF|ROMA\r\n\r\n"));
    m_locked = lockedFolder ? folder : file;
    QVERIFY(setMode(m_locked, 0));

    if (!chart) {
        const airportdata::LookupResult result = airportdata::LookUpAirport(file, QStringLiteral("LIRF"));
        QCOMPARE(result.status, airportdata::LookupStatus::Unreadable);
        QCOMPARE(result.error,
                 QStringLiteral("The airport directory %1 could not be opened: Permission denied").arg(file));
        return;
    }
    viewer::ChartRenderSettings settings;
    settings.helperProgram =
        qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/varnelox-render");
    viewer::ChartRenderClient client(settings);
    QSignalSpy failed(&client, &viewer::ChartRenderClient::failed);
    client.open(file);
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 20000);
    const auto failure = failed.first().at(1).value<viewer::ChartFailure>();
    QCOMPARE(failure, viewer::ChartFailure::PermissionDenied);
    const QString message = viewer::chartMessage(file, failure);
    QVERIFY2(message.contains(QStringLiteral("Permission denied")), qPrintable(message));
}

QTEST_MAIN(PermissionDeniedTest)
#include "tst_permissiondenied.moc"
