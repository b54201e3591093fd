#pragma once

#include "RenderProtocol.h"

namespace render {

struct ReadChart;

// The index of the chart, read ready to draw, in reading order: entries with a page of the chart only, at
// most protocol::MaxOutlineEntries of them, titles made plain. Empty when it has none. It is read in a copy
// of the helper process, so that an index the reader cannot walk (it crashes, or takes longer than
// OutlineTimeoutMs) costs only the index: the chart opens without it.
QList<viewer::OutlineEntry> readOutline(ReadChart &chart);

constexpr int OutlineTimeoutMs = 3000;

} // namespace render
