#pragma once

#include <QtGlobal>

namespace viewer {

// An anonymous shared memory file (memfd), mapped whole. The viewer creates one and hands its descriptor
// to the render helper, which attaches to it; page images then pass between the two processes without
// going through a pipe. No name, no file on disk: the memory goes when both processes have let go.
class SharedMemory {
public:
    SharedMemory() = default;
    ~SharedMemory();
    Q_DISABLE_COPY_MOVE(SharedMemory)

    // Creates a new file of the given size (close-on-exec); false with nothing mapped on failure.
    bool create(qsizetype size);
    // Maps a file received from the other process; takes ownership of the descriptor.
    bool attach(int descriptor);

    bool isValid() const { return m_data != nullptr; }
    int descriptor() const { return m_descriptor; }
    qsizetype size() const { return m_size; }
    uchar *data() const { return m_data; }

    // Gives the memory of a byte range back to the system; the range reads as zeros afterwards.
    void discard(qsizetype offset, qsizetype length);

private:
    bool map(qsizetype size);
    void unmap();

    int m_descriptor = -1;
    qsizetype m_size = 0;
    uchar *m_data = nullptr;
};

} // namespace viewer
