#include "DesktopServices.h"
#include "ProgramValues.h"
#include "ProgramWindows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The program ends where it says so, not when its last visible window closes: the windows are
    // hidden and re-created on the way between the main and the companion window.
    QApplication::setQuitOnLastWindowClosed(false);

    session::ProgramValues values;
    values.programFolder = QCoreApplication::applicationDirPath();
    app::DesktopServices services;
    app::ProgramWindows windows(values, services.forMainWindow(), services.forCompanion());
    application.installEventFilter(&windows);
    // exit() ends the event loop without asking the windows, so a window that refuses to close cannot
    // stop the program from ending.
    QObject::connect(&windows, &app::ProgramWindows::programEnded, &application,
                     [] { QCoreApplication::exit(0); });
    windows.start();
    return QApplication::exec();
}
