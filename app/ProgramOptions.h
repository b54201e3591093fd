// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

namespace app {

// The program's command line: --help, --version and --library DIR. The help names the folders the program
// reads and the settings file it writes.
class ProgramOptions {
    Q_DECLARE_TR_FUNCTIONS(ProgramOptions)

public:
    explicit ProgramOptions(const QString &settingsFile);

    // Whether the arguments are sound and ask for the help or the version: these are answered without a
    // window system, before one is started. Arguments that are not sound may still hold options of the
    // window system, which it takes away when it starts; they are judged then.
    bool asksOnlyForHelpOrVersion(const QStringList &arguments);
    // Reads the application's arguments. Help, version and mistakes are written out by the parser, which
    // then ends the process (0 for help and version, 1 for a mistake).
    void process(const QCoreApplication &application);

    QString library() const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_library;
};

// The arguments as the process received them, before any application object exists.
QStringList argumentsOf(int argc, char *argv[]);

} // namespace app
