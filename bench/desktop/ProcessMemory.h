#pragma once

#include <QByteArray>

namespace bench {

// The proportional set size of a process and of every process it started, in bytes, as the kernel reports it
// (/proc/PID/smaps_rollup): shared pages count in part, by the number of processes that map them. 0 when
// the process cannot be read.
qint64 proportionalSetSize(qint64 pid);
// Whether a process that pid started is named name (/proc/PID/comm).
bool hasChildNamed(qint64 pid, const QByteArray &name);

} // namespace bench
