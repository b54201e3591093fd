// A stand-in for varnelox-render that misbehaves on purpose, chosen by the chart's file name: "hang"
// never answers, "crash" dies, "slow" answers after a second. Every other chart goes to the real reader.

#include "RenderServer.h"
#include "SharedMemory.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

void misbehave(const QByteArray &line)
{
    const viewer::protocol::Message request = viewer::protocol::parse(line);
    if (request.kind != viewer::protocol::Kind::Open)
        return;
    const QString name = QFileInfo(request.path).fileName();
    if (name.contains(QStringLiteral("hang"))) {
        for (;;)
            QThread::sleep(60);
    }
    if (name.contains(QStringLiteral("crash")))
        std::abort();
    if (name.contains(QStringLiteral("slow")))
        QThread::msleep(1000);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    viewer::SharedMemory images;
    const QStringList arguments = QCoreApplication::arguments();
    images.attach(arguments.value(arguments.indexOf(QStringLiteral("--images")) + 1).toInt());
    render::RenderServer server(&images);
    std::string text;
    while (std::getline(std::cin, text)) {
        const QByteArray line = QByteArray::fromStdString(text);
        misbehave(line);
        const QByteArray reply = server.handle(line);
        std::fwrite(reply.constData(), 1, size_t(reply.size()), stdout);
        std::fflush(stdout);
    }
    return 0;
}
