// varnelox-import: builds a Varnelox library (airports.txt and the chart tree Airports/) from public sources.

#include "DtppImport.h"
#include "ImportSummary.h"
#include "LibraryWriter.h"
#include "OurAirportsImport.h"
#include "ProgramLibrary.h"
#include "ProgressLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char kDescription[] =
    "Builds a Varnelox library - the airport directory airports.txt and the chart tree Airports/ - from "
    "public\n"
    "sources.\n"
    "\n"
    "  varnelox-import ourairports AIRPORTS_CSV RUNWAYS_CSV [--ils ILS_BASE_CSV] [--library DIR]\n"
    "    One record per airport of OurAirports' airports.csv whose code (ident, else icao_code, else "
    "gps_code)\n"
    "    is four letters A-Z, with up to twelve of its open runways from runways.csv. Closed airports are "
    "left\n"
    "    out; of airports that share a code the larger type, then the lower id, is kept. With --ils the "
    "FAA's\n"
    "    NASR file ILS_BASE.csv gives US runways their ILS frequency and course: the localizer of the "
    "runway's\n"
    "    le end when it has one, else that of its he end.\n"
    "\n"
    "  varnelox-import faa-dtpp METAFILE_XML PDF_FOLDER [--airport CODE]... [--library DIR]\n"
    "    One PDF per airport and chart category from the FAA's d-TPP metafile and the cycle's chart PDFs, "
    "the\n"
    "    category's charts joined in chartseq order with a bookmark per chart. Airports without a record in\n"
    "    airports.txt get one with their name and city.\n"
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
    QCommandLineOption airport{QStringLiteral("airport"),
                               QStringLiteral("faa-dtpp: import only this airport (may be repeated)."),
                               QStringLiteral("CODE")};
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
    if (!status.ok) {
        QTextStream(stderr) << "varnelox-import: " << status.message << "\n";
        return kFailed;
    }
    QTextStream(stdout) << summary.text(QFileInfo(library).absoluteFilePath())
                        << import::otherLibraryNote(library, QCoreApplication::applicationDirPath());
    return 0;
}

int run(const QCommandLineParser &parser, const Options &options)
{
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        return usageError(QStringLiteral("name a command: ourairports or faa-dtpp"));
    const QString &command = arguments.first();
    if (command != u"ourairports" && command != u"faa-dtpp")
        return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    if (arguments.size() != 3)
        return usageError(
            QStringLiteral("%1 takes two files, %2 given").arg(command).arg(arguments.size() - 1));
    const bool ourAirports = command == u"ourairports";
    if (parser.isSet(ourAirports ? options.airport : options.ils)) {
        return usageError(QStringLiteral("--%1 is not an option of %2")
                              .arg((ourAirports ? options.airport : options.ils).names().first(), command));
    }

    QFile errors;
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    import::ProgressLine progress(&errors, isatty(fileno(stderr)) != 0);
    import::ImportSummary summary;
    const QString library = libraryFolder(parser, options);
    const import::Status status =
        ourAirports
            ? import::importOurAirports({arguments[1], arguments[2], parser.value(options.ils), library},
                                        summary, progress)
            : import::importDtpp({arguments[1], arguments[2], parser.values(options.airport), library},
                                 summary, progress);
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
    parser.addOptions({options.library, options.ils, options.airport});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("ourairports or faa-dtpp"));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The command's two input files."),
                                 QStringLiteral("FILE FILE"));
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    return run(parser, options);
}
