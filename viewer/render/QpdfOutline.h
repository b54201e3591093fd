// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

class QIODevice;

namespace render {

// The index of the PDF file in file, read with qpdf: depth first in the order of the file, levels from 0,
// titles as the file gives them, only the entries that lead to one of the first pageCount pages, at most
// protocol::MaxOutlineEntries. Empty when the file has none or cannot be read. qpdf finds the page an entry
// leads to in the page tree without reading the page itself, where Qt Pdf's bookmark model parses every page
// an entry leads to (tens of milliseconds each for a joined chart of twenty pages).
// A file on disk is mapped into memory, any other device read from its start, moving its position; a file cut
// shorter while it is mapped ends the process (SIGBUS), so read it in a process of its own.
QList<viewer::OutlineEntry> readQpdfOutline(QIODevice &file, int pageCount);

} // namespace render
