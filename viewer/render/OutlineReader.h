// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

#include <optional>

class QFile;

namespace render {

class ChartEngine;

// The index of the chart open in engine, read through file, in reading order: entries with a page of the
// chart only, at most protocol::MaxOutlineEntries of them, titles made plain; empty when it has none. It is
// read in a copy of the process, at a reading position of its own in file, so that an index the reader cannot
// walk (it crashes, or takes longer than OutlineTimeoutMs) costs only the index: nothing then, and the chart
// opens without it.
std::optional<QList<viewer::OutlineEntry>> readOutline(ChartEngine &engine, QFile &file, int pageCount);

// The index a copy of the process handed back as an outline line, checked by the protocol's parser: nothing
// when the line holds no index of a chart of pageCount pages.
std::optional<QList<viewer::OutlineEntry>> outlineFromLine(const QByteArray &line, int pageCount);

constexpr int OutlineTimeoutMs = 3000;

} // namespace render
