// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopServices.h"
#include "FontPreload.h"
#include "PositionFeed.h"
#include "ProgramFolders.h"
#include "ProgramOptions.h"
#include "ProgramValues.h"
#include "ProgramWindows.h"
#include "SimulatorLink.h"
#include "StartupMarks.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    const app::StartupMarks marks;
    QCoreApplication::setApplicationName(QStringLiteral("varnelox"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARNELOX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(VARNELOX_DESKTOP_ID));

    // Help and version need no display: they are answered before the window system starts.
    if (app::ProgramOptions options(desktop::ProgramSettings::userFileName());
        options.asksOnlyForHelpOrVersion(app::argumentsOf(argc, argv))) {
        const QCoreApplication core(argc, argv);
        options.process(core);
    }

    platform::FontPreload fonts;
    QApplication application(argc, argv);
    marks.mark("window system connected");
    app::ProgramOptions options(desktop::ProgramSettings::userFileName());
    options.process(application);
    // The program ends where it says so, not when its last visible window closes: the windows are
    // hidden and re-created on the way between the main and the companion window.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programFolder = QCoreApplication::applicationDirPath();
    const airportdata::LibraryLocation library = app::locateProgramLibrary(programFolder, options.library());
    app::logLibraryChoice(library);
    marks.mark("library found");
    app::DesktopServices services(app::soundHelper(programFolder));
    if (!library.ok) {
        std::fprintf(stderr, "varnelox: %s\n", qPrintable(library.error));
        services.notice.warn(nullptr, library.error);
        return 2;
    }

    fonts.wait();
    marks.mark("font configuration read");
    session::ProgramValues values;
    values.libraryFolder = library.folder;
    values.soundFolder = app::soundFolder(programFolder);
    simlink::PositionFeed feed;
    aircraft::SimulatorLink link(feed, services.settings, library.folder + QStringLiteral("/airports.txt"));
    app::ProgramWindows windows(values, services.forMainWindow(link), services.forCompanion(link));
    application.installEventFilter(&windows);
    // exit() ends the event loop without asking the windows, so a window that refuses to close cannot
    // stop the program from ending.
    QObject::connect(&windows, &app::ProgramWindows::programEnded, &application,
                     [] { QCoreApplication::exit(0); });
    // The sound helper is looked for only once the main window is on screen; the start-up cues wait for it.
    QObject::connect(&windows, &app::ProgramWindows::mainWindowShownOnScreen, &services.sound, [&] {
        marks.mark("main window on screen, render helper started");
        services.sound.loadPlayer();
        marks.mark("sound helper looked for");
        link.start();
        marks.mark("listening for simulators");
    });
    windows.start();
    marks.mark("main window built and shown");
    return QApplication::exec();
}
