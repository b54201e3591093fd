// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramOptions.h"

#include "PlacedCharts.h"

#include <QDir>
#include <QStandardPaths>

namespace app {

ProgramOptions::ProgramOptions(const QString &settingsFile)
    : m_library(QStringLiteral("library"),
                tr("Read the airport directory (airports.txt) and the charts (Airports/) from DIR."),
                tr("DIR"))
{
    const QString dataFolder =
        QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    m_parser.setApplicationDescription(
        tr("Shows airport data and chart PDF files of an airport while a flight simulator runs.\n\n"
           "Without --library the library is, in this order: the folder named by VARNELOX_LIBRARY; the "
           "program's own folder when it holds airports.txt; the user's data folder (%1) when it holds "
           "airports.txt; the sample library installed with the program. A folder that holds anything named "
           "airports.txt is the library: when that is no file (a folder, a pipe), looking an airport up says "
           "so.\n\n"
           "The program reads the library and never writes into it or into its own folder. It writes two "
           "files: its settings (%2), the companion window's place, the night colours and how it listens "
           "for simulators; and the pages placed on the map (%3). The user's own data, such as the library "
           "varnelox-import builds, lives in the user's data folder (%1).")
            .arg(dataFolder, QDir::toNativeSeparators(settingsFile),
                 QDir::toNativeSeparators(georef::PlacedCharts::userFileName())));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(m_library);
}

bool ProgramOptions::asksOnlyForHelpOrVersion(const QStringList &arguments)
{
    if (!m_parser.parse(arguments))
        return false;
    const QStringList options = m_parser.optionNames();
    return std::any_of(options.cbegin(), options.cend(), [](const QString &name) {
        return name == u"?" || name == u"h" || name == u"help" || name == u"help-all" || name == u"v" ||
               name == u"version";
    });
}

void ProgramOptions::process(const QCoreApplication &application)
{
    m_parser.process(application);
}

QString ProgramOptions::library() const
{
    return m_parser.value(m_library);
}

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

} // namespace app
