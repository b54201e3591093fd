#include "app/Module1.h"

#include "platform/WindowPlacement.h"

namespace app::Module1 {

char16_t KeyToUpper(char16_t &keyAscii)
{
    if (keyAscii >= u'a' && keyAscii <= u'z')
        keyAscii = static_cast<char16_t>(keyAscii - 32);
    return keyAscii;
}

void SetTopMost(QWidget *window, bool onTop)
{
    platform::setTopMost(window, onTop);
}

} // namespace app::Module1
