// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressLine.h"

#include <QIODevice>

#include <cmath>

namespace import {

namespace {

constexpr qint64 kIntervalMs = 200;

} // namespace

ProgressLine::ProgressLine(QIODevice *output, bool enabled)
    : m_output(output)
    , m_enabled(enabled && output)
{
    m_clock.start();
}

ProgressLine::~ProgressLine()
{
    finish();
}

QString ProgressLine::text(const QString &label, qsizetype count, qint64 elapsedMs, double fractionDone)
{
    QString line = QStringLiteral("%1: %2").arg(label).arg(count);
    if (elapsedMs <= 0)
        return line;
    line += QStringLiteral(", %1/s").arg(std::llround(double(count) * 1000 / double(elapsedMs)));
    if (fractionDone > 0 && fractionDone < 1) {
        const double leftSeconds = double(elapsedMs) / 1000 * (1 - fractionDone) / fractionDone;
        line += QStringLiteral(", %1 s left").arg(std::llround(std::ceil(leftSeconds)));
    }
    return line;
}

void ProgressLine::update(const QString &label, qsizetype count, qint64 done, qint64 total)
{
    if (!m_enabled)
        return;
    const qint64 now = m_clock.elapsed();
    if (m_lastShownMs >= 0 && now - m_lastShownMs < kIntervalMs)
        return;
    m_lastShownMs = now;
    const double fraction = total > 0 ? double(done) / double(total) : 0;
    // Carriage return, the line, then erase what a longer earlier line left on the right.
    m_output->write("\r" + text(label, count, now, fraction).toUtf8() + "\x1b[K");
    m_shown = true;
}

void ProgressLine::finish()
{
    if (m_shown)
        m_output->write("\r\x1b[K");
    m_shown = false;
    m_lastShownMs = -1;
}

} // namespace import
