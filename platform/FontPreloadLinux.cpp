// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontPreload.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace platform {

FontPreload::FontPreload()
{
    try {
        m_reader = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: the configuration is read when the first text needs it.
    }
}

FontPreload::~FontPreload()
{
    wait();
}

void FontPreload::wait()
{
    if (m_reader.joinable())
        m_reader.join();
}

} // namespace platform
