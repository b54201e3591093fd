// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageSlots.h"

namespace viewer {

namespace {

// Memory of a freed slot beyond this many bytes goes back to the system (large print pages); the
// first part stays, since the next page of the same size will need it again at once.
constexpr qsizetype KeptBytes = qsizetype(8) << 20;

struct SlotTicket {
    std::shared_ptr<ImageSlots> pool;
    int slot = -1;
};

void releaseTicket(void *info)
{
    auto *ticket = static_cast<SlotTicket *>(info);
    ticket->pool->release(ticket->slot);
    delete ticket;
}

} // namespace

std::shared_ptr<ImageSlots> ImageSlots::create()
{
    std::shared_ptr<ImageSlots> pool(new ImageSlots);
    pool->m_memory.create(Count * SlotBytes);
    return pool;
}

int ImageSlots::acquire()
{
    if (!isValid())
        return -1;
    for (int slot = 0; slot < Count; ++slot) {
        if (!m_busy[size_t(slot)]) {
            m_busy[size_t(slot)] = true;
            return slot;
        }
    }
    return -1;
}

void ImageSlots::release(int slot)
{
    if (slot < 0 || slot >= Count || !m_busy[size_t(slot)])
        return;
    m_busy[size_t(slot)] = false;
    m_memory.discard(offset(slot) + KeptBytes, SlotBytes - KeptBytes);
    if (m_onRelease)
        m_onRelease();
}

QImage ImageSlots::image(int slot, QSize size)
{
    uchar *data = m_memory.data() + offset(slot);
    return QImage(data, size.width(), size.height(), qsizetype(size.width()) * 4, QImage::Format_RGB32,
                  releaseTicket, new SlotTicket{shared_from_this(), slot});
}

} // namespace viewer
