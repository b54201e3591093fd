// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

// The program's side of the system's fonts: linked only into the program (target fontpreload).
namespace platform {

// Reading the system's font configuration (its files and the font caches it names) is the largest part of
// the first text a window measures, and it needs nothing of the window system. A FontPreload reads it on a
// thread of its own while the program connects to the display; wait() returns once it has been read, and
// the first text measured then finds it ready. Without a thread the configuration is read where the first
// text needs it, as before.
class FontPreload {
public:
    FontPreload();
    ~FontPreload();
    FontPreload(const FontPreload &) = delete;
    FontPreload &operator=(const FontPreload &) = delete;

    void wait();

private:
    std::thread m_reader;
};

} // namespace platform
