#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <functional>
#include <optional>

class QFile;
class QProcess;

// What the program asks of the operating system beyond Qt: opening a file without ever waiting, memory that
// the program and its render helper share, and setting up and bounding the helper process. Each system has
// one implementation of this interface (PlatformLinux.cpp), chosen by the build.
namespace platform {

// Why a file could not be opened for reading.
enum class FileProblem { None, Missing, PermissionDenied, Folder, NotRegular, Failed };

struct FileOpening {
    FileProblem problem = FileProblem::None;
    QString reason; // the system's words, for Missing, PermissionDenied and Failed
};

// Opens the existing regular file that file names, for reading in mode, without waiting: a folder, pipe,
// device or socket is refused before it is opened, and again when one was put in the file's place
// meanwhile. Links are followed. file is open when the problem is None, else closed.
FileOpening openRegularFile(QFile &file, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// What opening the file for reading would meet, found without opening it (links followed): the problem
// openRegularFile reports for a missing file, a folder, a pipe, a device or a socket; None for a regular
// file.
FileOpening inspectFile(const QString &path);

// Memory that two processes share, mapped whole: the program creates it and hands its descriptor to the
// render helper, which attaches to it. No name and no file on disk: it goes when both have let go.
class SharedMemory {
public:
    SharedMemory() = default;
    ~SharedMemory();
    Q_DISABLE_COPY_MOVE(SharedMemory)

    // Creates new memory of the given size, not handed to started programs unless asked; false with
    // nothing mapped on failure.
    bool create(qsizetype size);
    // Maps memory received from the other process; takes ownership of the descriptor.
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

// Sets up the helper that process is about to start: it finds descriptor (open in this process) as
// helperDescriptor, and it is ended when this process ends, however that happens.
void prepareHelperProcess(QProcess &process, int descriptor, int helperDescriptor);

// Bounds the address space of the calling process to bytes, so that an allocation beyond it fails. When
// it fails, the process writes its out-of-memory reply (setOutOfMemoryReply) to standard output and ends
// with OutOfMemoryExitCode, instead of crashing. A lower limit already in force stays. False when no limit
// could be set: under AddressSanitizer, which reserves far more address space than any limit, and when the
// system refuses.
bool limitMemory(qint64 bytes);
// The line that limitMemory's process writes when it runs out of memory: at most 256 bytes.
void setOutOfMemoryReply(QByteArrayView line);
constexpr int OutOfMemoryExitCode = 3;

// Runs work in a copy of this process and returns what it made; nothing when it crashed, ran out of memory
// or took longer than timeoutMs (it is then ended). Work that may bring the process down (the PDF engine on
// a malformed file) cannot take the caller with it. The copy has the caller's memory limit, its standard
// input and output lead nowhere, and it ends with the caller. Only for a process without other threads.
std::optional<QByteArray> runInChildProcess(const std::function<QByteArray()> &work, int timeoutMs);

} // namespace platform
