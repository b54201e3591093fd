// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace bench {

// The proportional set size of a process and of every process it started, in bytes, as the kernel reports it
// (/proc/PID/smaps_rollup): shared pages count in part, by the number of processes that map them. 0 when
// the process cannot be read.
qint64 proportionalSetSize(qint64 pid);
// Whether a process that pid started is named name (/proc/PID/comm).
bool hasChildNamed(qint64 pid, const QByteArray &name);
// The processes that pid started.
QList<qint64> childrenOf(qint64 pid);
// Whether a process is named name (/proc/PID/comm).
bool isNamed(qint64 pid, const QByteArray &name);
// The processes that pid started, and those they started, and so on.
QList<qint64> descendantsOf(qint64 pid);
// The descriptors open in a process and in every process it started.
int openDescriptors(qint64 pid);
// Whether a process is there and not yet collected (a zombie counts as gone).
bool isAlive(qint64 pid);

} // namespace bench
