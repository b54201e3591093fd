#pragma once

#include "RenderProtocol.h"

#include <optional>

namespace render {

class ChartEngine;
struct ReadChart;

// The index of the chart, read ready to draw, in reading order: entries with a page of the chart only, at
// most protocol::MaxOutlineEntries of them, titles made plain; empty when it has none. It is read in a copy
// of the helper process, so that an index the reader cannot walk (it crashes, or takes longer than
// OutlineTimeoutMs) costs only the index: nothing then, and the chart opens without it.
std::optional<QList<viewer::OutlineEntry>> readOutline(ReadChart &chart);

// The same in two steps for a copy of the helper that has the chart open already: the copy reads the index
// of the chart open in engine (pageCount pages) into a line, and the helper takes the index from the line,
// checked by the protocol's parser; nothing when the line holds no index of that chart.
QByteArray outlineInLine(ChartEngine &engine, int pageCount);
std::optional<QList<viewer::OutlineEntry>> outlineFromLine(const QByteArray &line, int pageCount);

constexpr int OutlineTimeoutMs = 3000;

} // namespace render
