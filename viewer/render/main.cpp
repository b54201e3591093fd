// varnelox-render: reads chart files and draws their pages for the viewer, in a process of its own, so
// that a chart that hangs or crashes the PDF engine never takes the program with it. Requests arrive
// one a line on standard input; replies leave one a line on standard output.

#include "RenderLog.h"
#include "RenderServer.h"
#include "SharedMemory.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    viewer::SharedMemory images;
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype at = arguments.indexOf(QStringLiteral("--images"));
    bool ok = false;
    const int descriptor = arguments.value(at + 1).toInt(&ok);
    if (!(at >= 0 && ok && images.attach(descriptor)))
        qCInfo(render::lcRender) << "no shared page images: pages cannot be drawn";

    render::RenderServer server(&images);
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        const QByteArray reply = server.handle(QByteArray::fromStdString(line));
        std::fwrite(reply.constData(), 1, size_t(reply.size()), stdout);
        std::fflush(stdout);
    }
    return 0;
}
