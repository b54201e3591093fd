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

} // namespace

qint64 proportionalSetSize(qint64 pid)
{
    qint64 bytes = ownSetSize(pid);
    for (qint64 child : childrenOf(pid))
        bytes += proportionalSetSize(child);
    return bytes;
}

bool hasChildNamed(qint64 pid, const QByteArray &name)
{
    const QList<qint64> children = childrenOf(pid);
    return std::any_of(children.begin(), children.end(), [&name](qint64 child) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(child));
        return comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name;
    });
}

} // namespace bench
