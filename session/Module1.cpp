// SPDX-License-Identifier: GPL-3.0-or-later
#include "Module1.h"

#include "WindowPlacement.h"

namespace session::Module1 {

char16_t KeyToUpper(char16_t &keyAscii)
{
    if (keyAscii >= u'a' && keyAscii <= u'z')
        keyAscii = static_cast<char16_t>(keyAscii - 32);
    return keyAscii;
}

void SetTopMost(QWidget *window, bool onTop)
{
    desktop::setTopMost(window, onTop);
}

} // namespace session::Module1
