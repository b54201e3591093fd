// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for varnelox-render that misbehaves on purpose, chosen by the chart's file name: "hang"
// never answers (and leaves a file "<chart>.taken" beside the chart, so a test knows the helper has it),
// "crash" dies, "slow" answers after a second; asked for the index of a chart named "index-stalls" it never
// answers, of one named "index-dies" it dies. Every other chart goes to the real reader.

#include "RenderServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdlib>

namespace {

// The name of the chart opened last.
QString openedName;

void misbehaveOnIndex()
{
    if (openedName.contains(QStringLiteral("index-stalls"))) {
        for (;;)
            QThread::sleep(60);
    }
    if (openedName.contains(QStringLiteral("index-dies")))
        std::abort();
}

void misbehave(const QByteArray &line)
{
    const viewer::protocol::Message request = viewer::protocol::parse(line);
    if (request.kind == viewer::protocol::Kind::ReadOutline)
        misbehaveOnIndex();
    if (request.kind != viewer::protocol::Kind::Open)
        return;
    const QString name = QFileInfo(request.path).fileName();
    openedName = name;
    if (name.contains(QStringLiteral("hang"))) {
        QFile(request.path + QStringLiteral(".taken")).open(QIODevice::WriteOnly);
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
    return render::serveViewer(QCoreApplication::arguments(), misbehave);
}
