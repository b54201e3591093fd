// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessMemory.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace bench {

namespace {

qint64 ownSetSize(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

} // namespace

QList<qint64> childrenOf(qint64 pid)
{
    QList<qint64> children;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile list(tasks + u'/' + task + QStringLiteral("/children"));
        if (!list.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &child : list.readAll().simplified().split(' '))
            if (!child.isEmpty())
                children.append(child.toLongLong());
    }
    return children;
}

qint64 proportionalSetSize(qint64 pid)
{
    qint64 bytes = ownSetSize(pid);
    for (qint64 child : childrenOf(pid))
        bytes += proportionalSetSize(child);
    return bytes;
}

QList<qint64> descendantsOf(qint64 pid)
{
    QList<qint64> all;
    for (qint64 child : childrenOf(pid))
        all << child << descendantsOf(child);
    return all;
}

int openDescriptors(qint64 pid)
{
    int count = 0;
    for (qint64 process : QList<qint64>{pid} + descendantsOf(pid))
        count += int(QDir(QStringLiteral("/proc/%1/fd").arg(process))
                         .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                         .size());
    return count;
}

bool isAlive(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = status.readAll();
    const qsizetype state = line.lastIndexOf(')') + 2;
    return state > 1 && state < line.size() && line.at(state) != 'Z' && line.at(state) != 'X';
}

bool isNamed(qint64 pid, const QByteArray &name)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name;
}

bool hasChildNamed(qint64 pid, const QByteArray &name)
{
    const QList<qint64> children = childrenOf(pid);
    return std::any_of(children.begin(), children.end(),
                       [&name](qint64 child) { return isNamed(child, name); });
}

} // namespace bench
