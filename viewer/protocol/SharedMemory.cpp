#include "SharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace viewer {

SharedMemory::~SharedMemory()
{
    unmap();
}

bool SharedMemory::create(qsizetype size)
{
    unmap();
    m_descriptor = memfd_create("varnelox-page-images", MFD_CLOEXEC);
    if (m_descriptor < 0)
        return false;
    if (ftruncate(m_descriptor, off_t(size)) != 0) {
        unmap();
        return false;
    }
    return map(size);
}

bool SharedMemory::attach(int descriptor)
{
    unmap();
    m_descriptor = descriptor;
    struct stat info {};
    if (fstat(descriptor, &info) != 0 || info.st_size <= 0) {
        unmap();
        return false;
    }
    return map(qsizetype(info.st_size));
}

void SharedMemory::discard(qsizetype offset, qsizetype length)
{
    if (isValid() && offset >= 0 && length > 0 && offset + length <= m_size)
        fallocate(m_descriptor, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, off_t(offset), off_t(length));
}

bool SharedMemory::map(qsizetype size)
{
    void *data = mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_SHARED, m_descriptor, 0);
    if (data == MAP_FAILED) {
        unmap();
        return false;
    }
    m_data = static_cast<uchar *>(data);
    m_size = size;
    return true;
}

void SharedMemory::unmap()
{
    if (m_data)
        munmap(m_data, size_t(m_size));
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_data = nullptr;
    m_size = 0;
    m_descriptor = -1;
}

} // namespace viewer
