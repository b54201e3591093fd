// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

namespace render {

struct ReadChart;

// Draws a page of a chart, ready to draw, into the viewer's memory as the viewer shows it: opaque RGB32 rows,
// 4 bytes a pixel, colours applied. On a machine of two processors or more, an unturned page of a fair size
// is drawn in two halves at once, the lower one by a copy of the helper that writes straight into that
// memory, so that it comes in little more than half the time; whole where that cannot be done. False when the
// page cannot be drawn.
bool drawPageInto(ReadChart &chart, const viewer::PageRequest &page, uchar *target);

} // namespace render
