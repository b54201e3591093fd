// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

namespace render {

class ChartEngine;

// The index of the chart open in engine, in reading order: entries with a page of the chart only, at most
// protocol::MaxOutlineEntries of them, titles made plain. Empty when it has none.
// It is read in a copy of the helper process, so that an index the PDF engine cannot walk (one whose entry
// holds itself sends it round for ever) or one that takes longer than OutlineTimeoutMs costs only the
// index: the chart opens without it.
QList<viewer::OutlineEntry> readOutline(ChartEngine &engine);

constexpr int OutlineTimeoutMs = 3000;

} // namespace render
