// SPDX-License-Identifier: GPL-3.0-or-later
// varnelox-import: builds a Varnelox library (airports.txt and the chart tree Airports/) from public sources.

#include "DtppImport.h"
#include "ImportSummary.h"
#include "LibraryWriter.h"
#include "NavDataImport.h"
#include "OurAirportsImport.h"
#include "ProgramFolders.h"
#include "ProgramLibrary.h"
#include "ProgressLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char kDescription[] =
    "Builds a Varnelox library - the airport directory airports.txt and the chart tree Airports/ - from\n"
    "public sources.\n"
    "\n"
    "  varnelox-import ourairports AIRPORTS_CSV RUNWAYS_CSV [--ils ILS_BASE_CSV] [--navdata NAV_DAT]\n"
    "                  [--library DIR]\n"
    "    One record per airport of OurAirports' airports.csv whose code (ident, else icao_code, else\n"
    "    gps_code) is four letters A-Z, with up to twelve rows of its open runways from runways.csv. Closed\n"
    "    airports are left out; of airports that share a code the larger type, then the lower id, is kept.\n"
    "    With --ils the FAA's NASR file ILS_BASE.csv gives the ends of US runways their ILS frequency and\n"
    "    course; with --navdata the simulators' navigation data gives them to runway ends worldwide, as the\n"
    "    navdata command does (where both have one, ILS_BASE.csv's is written).\n"
    "\n"
    "  varnelox-import navdata NAV_DAT [--library DIR]\n"
    "    Gives the runway ends of the library's airports the localizers of X-Plane's navigation data\n"
    "    (earth_nav.dat, or FlightGear's Navaids/nav.dat.gz; versions 810 and 1100 or later, plain or\n"
    "    gzip): frequency and magnetic course, from the true bearing with the World Magnetic Model at\n"
    "    today's date. Records of airports without localizers stay as they are.\n"
    "\n"
    "  varnelox-import faa-dtpp METAFILE_XML PDF_FOLDER [--airport CODE]... [--library DIR]\n"
    "    One PDF per airport and chart category from the FAA's d-TPP metafile and the cycle's chart PDFs,\n"
    "    the category's charts joined in chartseq order with a bookmark per chart. Airports without a\n"
    "    record in airports.txt get one with their name and city.\n"
    "\n"
    "One ILS per runway end: a runway with an ILS at both ends gets two rows named by their end (04R, 22L),\n"
    "one with an ILS at one end is named with that end first (27/09) and shows that end's, one without "
    "keeps\n"
    "its row (14/32). Rows come in the natural order of their numbers; of more than twelve, those with an\n"
    "ILS are kept first; a runway with neither end named gets no row.\n"
    "\n"
    "The library is --library DIR, else the folder in VARNELOX_LIBRARY, else ~/.local/share/varnelox (made\n"
    "when missing). Records of airports.txt whose codes an import does not bring are kept; the previous\n"
    "airports.txt is kept as airports.txt.bak. Bad input stops the import before anything is written.";

struct Options {
    QCommandLineOption library{QStringLiteral("library"), QStringLiteral("The library folder to write to."),
                               QStringLiteral("DIR")};
    QCommandLineOption ils{
        QStringLiteral("ils"),
        QStringLiteral("ourairports: the FAA's ILS_BASE.csv for ILS frequencies and courses."),
        QStringLiteral("ILS_BASE_CSV")};
    QCommandLineOption navData{
        QStringLiteral("navdata"),
        QStringLiteral("ourairports: the simulators' navigation data for ILS frequencies and courses."),
        QStringLiteral("NAV_DAT")};
    QCommandLineOption airport{QStringLiteral("airport"),
                               QStringLiteral("faa-dtpp: import only this airport (may be repeated)."),
                               QStringLiteral("CODE")};
};

// A command, the number of files it takes and the options of its own.
struct Command {
    QString name;
    qsizetype files;
    QList<const QCommandLineOption *> options;
};

int usageError(const QString &message)
{
    QTextStream(stderr) << "varnelox-import: " << message << "\nTry 'varnelox-import --help'.\n";
    return kUsage;
}

QString libraryFolder(const QCommandLineParser &parser, const Options &options)
{
    return parser.isSet(options.library) ? parser.value(options.library) : import::defaultLibraryFolder();
}

int finish(const import::Status &status, const import::ImportSummary &summary, const QString &library)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!status.ok) {
        QTextStream(stderr) << "varnelox-import: " << status.message << "\n";
        return kFailed;
    }
    QTextStream(stdout) << summary.text(QFileInfo(library).absoluteFilePath())
                        << import::otherLibraryNote(library, programFolder,
                                                    app::installedDataFolder(programFolder));
    return 0;
}

// Checks the command line against the command's files and options; an empty text when it fits.
QString misuse(const QCommandLineParser &parser, const Options &options, const Command &command)
{
    const qsizetype given = parser.positionalArguments().size() - 1;
    if (given != command.files) {
        return QStringLiteral("%1 takes %2, %3 given")
            .arg(command.name, command.files == 1 ? QStringLiteral("one file") : QStringLiteral("two files"))
            .arg(given);
    }
    for (const QCommandLineOption *option : {&options.ils, &options.navData, &options.airport}) {
        if (parser.isSet(*option) && !command.options.contains(option)) {
            return QStringLiteral("--%1 is not an option of %2").arg(option->names().first(), command.name);
        }
    }
    return {};
}

int run(const QCommandLineParser &parser, const Options &options)
{
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        return usageError(QStringLiteral("name a command: ourairports, navdata or faa-dtpp"));
    const QList<Command> commands{{QStringLiteral("ourairports"), 2, {&options.ils, &options.navData}},
                                  {QStringLiteral("navdata"), 1, {}},
                                  {QStringLiteral("faa-dtpp"), 2, {&options.airport}}};
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const Command &c) { return c.name == arguments.first(); });
    if (command == commands.end())
        return usageError(QStringLiteral("unknown command \"%1\"").arg(arguments.first()));
    if (const QString message = misuse(parser, options, *command); !message.isEmpty())
        return usageError(message);

    QFile errors;
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    import::ProgressLine progress(&errors, isatty(fileno(stderr)) != 0);
    import::ImportSummary summary;
    const QString library = libraryFolder(parser, options);
    const QString magneticFolder = app::magneticModelFolder(QCoreApplication::applicationDirPath());
    const QDate today = QDate::currentDate();
    import::Status status;
    if (command->name == u"ourairports") {
        const QString navData = parser.value(options.navData);
        status = import::importOurAirports({arguments[1],
                                            arguments[2],
                                            parser.value(options.ils),
                                            library,
                                            {navData, magneticFolder, today}},
                                           summary, progress);
    } else if (command->name == u"navdata") {
        status = import::importNavData({{arguments[1], magneticFolder, today}, library}, summary);
    } else {
        status = import::importDtpp({arguments[1], arguments[2], parser.values(options.airport), library},
                                    summary, progress);
    }
    progress.finish();
    return finish(status, summary, library);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnelox-import"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARNELOX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options options;
    parser.addOptions({options.library, options.ils, options.navData, options.airport});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("ourairports, navdata or faa-dtpp"));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The command's input files."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    return run(parser, options);
}
