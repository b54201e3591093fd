// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QList>
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

// What a path names, for messages that say what is there instead of a file.
enum class FileKind { Missing, Regular, Folder, Pipe, Device, Socket, Link, Other };

struct FileOpening {
    FileProblem problem = FileProblem::None;
    QString reason;                  // the system's words, for Missing, PermissionDenied and Failed
    FileKind kind = FileKind::Other; // for Folder and NotRegular: what is there
};

// What tells one version of a file from another: the file itself (device and inode), its size and the times
// of the last change of its content and of its state, to the nanosecond. A file replaced, rewritten or
// touched has another identity, even at the same size within the same second.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of the file at path (links followed); nothing when it cannot be looked at.
std::optional<FileIdentity> fileIdentity(const QString &path);
// The identity of an open file; nothing when it is not open on a descriptor.
std::optional<FileIdentity> fileIdentity(const QFile &file);

// Opens the existing regular file that file names, for reading in mode, without waiting: a folder, pipe,
// device or socket is refused before it is opened, and again when one was put in the file's place
// meanwhile. Links are followed. file is open when the problem is None, else closed.
FileOpening openRegularFile(QFile &file, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// What opening the file for reading would meet, found without opening it (links followed): the problem
// openRegularFile reports for a missing file, a folder, a pipe, a device or a socket; None for a regular
// file.
FileOpening inspectFile(const QString &path);

// What path names: links are followed, or with followLinks false a link is FileKind::Link.
FileKind fileKind(const QString &path, bool followLinks = true);

// The outcome of a change to the file system; reason in words for the user ("the disk is full").
struct FileWriting {
    bool ok = true;
    QString reason;
};

// Words for a system error met while writing files (an errno value): "the disk is full" rather than "No
// space left on device".
QString writingProblem(int systemError);

// Writes bytes into a new file at path, which must not exist yet (a link there is not followed). The file
// reaches the disk with the next syncFileSystem.
FileWriting writeNewFile(const QString &path, QByteArrayView bytes);
// Replaces the file at path so that, whenever the system stops, path holds the old file or the new one
// whole: the bytes go to a temporary file beside it (".NAME.new-" and a random part), which is flushed to
// disk and renamed over path, and then the folder is flushed too. A link at path is replaced itself, never
// written through. The permissions of the file replaced are kept.
FileWriting replaceFile(const QString &path, QByteArrayView bytes);
// Flushes to disk the names made, renamed or removed in folder.
FileWriting syncFolder(const QString &folder);
// Flushes to disk everything written to the file system that holds path: many files at the cost of one.
FileWriting syncFileSystem(const QString &path);
// Swaps two entries of one folder in one step: each then has the other's name. A file system that cannot
// (FAT, some network file systems) gets three renames, through second + ".swap", between which first is
// missing for a moment.
FileWriting exchangeEntries(const QString &first, const QString &second);
// Renames from to to, which must not exist yet.
FileWriting renameToNewName(const QString &from, const QString &to);

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
// Sets up a helper that process is about to start so that it is ended when this process ends, however that
// happens (killed, crashed), even when the helper itself is stuck or ignores being asked to stop.
void endWithThisProcess(QProcess &process);

// Bounds the address space of the calling process to bytes, so that an allocation beyond it fails. When
// it fails, the process writes its out-of-memory reply (setOutOfMemoryReply) to standard output and ends
// with OutOfMemoryExitCode, instead of crashing. A lower limit already in force stays. False when no limit
// could be set: under AddressSanitizer, which reserves far more address space than any limit, and when the
// system refuses.
bool limitMemory(qint64 bytes);
// The line that limitMemory's process writes when it runs out of memory: at most 256 bytes.
void setOutOfMemoryReply(QByteArrayView line);
constexpr int OutOfMemoryExitCode = 3;

// A copy of this process doing work apart (startChildProcess): what its work returns arrives on output.
struct ChildProcess {
    qint64 pid = -1;
    int output = -1;
};

// Starts work in a copy of this process, niceness steps below the caller's scheduling priority (0 to 19),
// and returns at once. The copy writes what work returns to its output and ends; it has the caller's memory
// limit, its standard input and output lead nowhere, and it ends with the caller. Nothing when no copy
// could be made. Only for a process without other threads.
std::optional<ChildProcess> startChildProcess(const std::function<QByteArray()> &work, int niceness);
// Appends what the copy has written since, waiting only when it has written nothing yet: false once its
// output has ended (everything read).
bool readChildOutput(const ChildProcess &child, QByteArray &output);
// Holds the copy where it is (it uses no processor time) or lets it go on.
void pauseChildProcess(const ChildProcess &child, bool paused);
// Waits for the copy's work: what it made; nothing when it crashed, ran out of memory or took longer than
// timeoutMs (it is then stopped). The copy is collected either way.
std::optional<QByteArray> awaitChildProcess(ChildProcess &child, int timeoutMs);
// Collects the copy once its output has ended, or stops it first when stop is set: true when it ended by
// itself after writing all its work. The child's output is closed either way.
bool finishChildProcess(ChildProcess &child, bool stop);
// In a copy of this process: gives the open file a reading position of its own, apart from the process it was
// copied from (the same file opened again, at the same position), so that the two can read it at once. False
// when it could not.
bool takeOwnReadingPosition(const QFile &file);
// The processors the system has at work.
int processorCount();
// Waits until one of the descriptors (-1 entries left out) can be read or has ended, at most timeoutMs (-1
// without limit): those descriptors, empty when the time ran out.
QList<int> waitForInput(const QList<int> &descriptors, int timeoutMs);
// Reads what standard input holds now, waiting only when it holds nothing yet: false once it has ended.
bool readStandardInput(QByteArray &input);

// Runs work in a copy of this process and returns what it made; nothing when it crashed, ran out of memory
// or took longer than timeoutMs (it is then ended). Work that may bring the process down (the PDF engine on
// a malformed file) cannot take the caller with it. The copy has the caller's memory limit, its standard
// input and output lead nowhere, and it ends with the caller. Only for a process without other threads.
std::optional<QByteArray> runInChildProcess(const std::function<QByteArray()> &work, int timeoutMs);

} // namespace platform
