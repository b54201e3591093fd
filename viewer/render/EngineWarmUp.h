// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace render {

// Readies the PDF engine before the first chart arrives: the engine looks through the system's font folders
// the first time a page needs a font that its file does not carry, which held up the first chart after
// start-up. A small page set in such a font is drawn once here. True when that page was drawn; false
// changes nothing but the first chart's time.
bool warmUpEngine();

} // namespace render
