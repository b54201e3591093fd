// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up measure: a bare Qt Widgets window of a fixed size, with nothing in it.
// Usage: bare_window WIDTH HEIGHT

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(arguments.value(1).toInt(), arguments.value(2).toInt());
    window.show();
    return QApplication::exec();
}
