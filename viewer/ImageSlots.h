// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Platform.h"
#include "RenderProtocol.h"

#include <QImage>

#include <array>
#include <functional>
#include <memory>

namespace viewer {

// A few fixed regions of one shared memory file, each holding one page image. The render helper writes a
// page into a free region; the viewer draws straight from it. A region is busy from acquire() until the
// last copy of the image made over it is gone (or release() when no image was made).
class ImageSlots : public std::enable_shared_from_this<ImageSlots> {
public:
    static constexpr int Count = 4;
    static constexpr qsizetype SlotBytes = protocol::MaxImageBytes;

    static std::shared_ptr<ImageSlots> create();

    bool isValid() const { return m_memory.isValid(); }
    int descriptor() const { return m_memory.descriptor(); }
    qsizetype offset(int slot) const { return slot * SlotBytes; }

    int acquire();
    void release(int slot);
    // The opaque RGB32 image in the slot; frees the slot when the last copy goes.
    QImage image(int slot, QSize size);
    // Called whenever a slot becomes free.
    void setReleaseCallback(std::function<void()> callback) { m_onRelease = std::move(callback); }

private:
    ImageSlots() = default;

    platform::SharedMemory m_memory;
    std::array<bool, Count> m_busy{};
    std::function<void()> m_onRelease;
};

} // namespace viewer
