// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace session::Module1 {

// Turns a typed lower-case letter a to z into its capital, in place; any other code is left alone.
char16_t KeyToUpper(char16_t &keyAscii);

// Puts a window into the top-most band (above every other window) or takes it out.
void SetTopMost(QWidget *window, bool onTop);

} // namespace session::Module1
