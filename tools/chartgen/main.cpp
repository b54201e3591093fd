// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the sample chart library from the airport directory file into a program folder.

#include "LibraryWriter.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the sample chart library."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("directory"), QStringLiteral("The airport directory file."));
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("The program folder to write Airports/ into."));
    const QCommandLineOption lowerCase(
        QStringLiteral("lower-case"),
        QStringLiteral("Write the folder and files of the airport in lower case."), QStringLiteral("code"));
    const QCommandLineOption omit(QStringLiteral("omit"),
                                  QStringLiteral("Leave out one chart, as CODE/SUFFIX."),
                                  QStringLiteral("chart"));
    parser.addOptions({lowerCase, omit});
    parser.process(app);

    QTextStream err(stderr);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2) {
        err << parser.helpText();
        return 2;
    }
    QFile directory(arguments[0]);
    if (!directory.open(QIODevice::ReadOnly)) {
        err << "chartgen: " << arguments[0] << ": " << directory.errorString() << "\n";
        return 1;
    }
    const auto airports = chartgen::airportsOf(directory.readAll());
    const auto result =
        chartgen::writeChartLibrary(airports, arguments[1], {parser.values(lowerCase), parser.values(omit)});
    if (!result.ok) {
        err << "chartgen: " << result.message << "\n";
        return 1;
    }
    QTextStream(stdout) << "chartgen: " << result.files << " charts for " << result.airports << " airports\n";
    return 0;
}
