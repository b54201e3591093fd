// SPDX-License-Identifier: GPL-3.0-or-later
// varnelox-render: reads chart files and draws their pages for the viewer, in a process of its own, so
// that a chart that hangs or crashes the PDF engine never takes the program with it. Requests arrive
// one a line on standard input; replies leave one a line on standard output.

#include "RenderServer.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return render::serveViewer(QCoreApplication::arguments());
}
