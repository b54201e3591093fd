// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux side of Platform.h: memfd shared memory, descriptor passing and the parent-death signal for the
// helpers, the render helper's address-space limit, work in a forked child, and opening files with
// O_NONBLOCK. Writing files to last is in PlatformFilesLinux.cpp.

#include "Platform.h"

#include <QFile>
#include <QProcess>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <new>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool AddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool AddressSanitizer = false;
#endif

FileOpening failure(int error)
{
    FileProblem problem = FileProblem::Failed;
    if (error == ENOENT || error == ENOTDIR)
        problem = FileProblem::Missing;
    else if (error == EACCES || error == EPERM)
        problem = FileProblem::PermissionDenied;
    return {problem, QString::fromLocal8Bit(std::strerror(error))};
}

FileProblem kindProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return FileProblem::None;
    return S_ISDIR(mode) ? FileProblem::Folder : FileProblem::NotRegular;
}

FileKind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    if (S_ISFIFO(mode))
        return FileKind::Pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileKind::Device;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    return S_ISLNK(mode) ? FileKind::Link : FileKind::Other;
}

// In a process just started, between fork and exec: it gets SIGKILL when the process that started it ends.
// When that one has ended already, before the signal was asked for, it ends at once.
void endWithParent(pid_t parent)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
}

// The out-of-memory reply, written from a signal handler: a fixed buffer and its length.
char outOfMemoryReply[256];
std::atomic<size_t> outOfMemoryReplyLength{0};

[[noreturn]] void replyOutOfMemoryAndExit()
{
    const char *data = outOfMemoryReply;
    size_t left = outOfMemoryReplyLength.load();
    while (left > 0) {
        const ssize_t written = write(STDOUT_FILENO, data, left);
        if (written <= 0)
            break;
        data += written;
        left -= size_t(written);
    }
    _exit(OutOfMemoryExitCode);
}

// The PDF engine ends the process when an allocation fails (a trap, an abort or a fault on the null it was
// given), with errno still telling why. Any other fatal signal takes its usual course.
void onFatalSignal(int signal)
{
    if (errno == ENOMEM)
        replyOutOfMemoryAndExit();
    raise(signal);
}

void catchOutOfMemory()
{
    std::set_new_handler(replyOutOfMemoryAndExit);
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGABRT, SIGBUS, SIGILL, SIGSEGV, SIGTRAP})
        sigaction(signal, &action, nullptr);
}

void writeAll(int descriptor, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = write(descriptor, bytes.data(), size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes = bytes.sliced(written);
    }
}

// ready is closed once the copy ends with its parent and holds none of its parent's input and output: until
// then the parent waits, so that a copy it holds (SIGSTOP) at once can never outlive it.
[[noreturn]] void runChild(const std::function<QByteArray()> &work, int output, int ready, pid_t parent,
                           int niceness)
{
    endWithParent(parent);
    setOutOfMemoryReply({});
    const int nowhere = open("/dev/null", O_RDWR | O_CLOEXEC);
    dup2(nowhere, STDIN_FILENO);
    dup2(nowhere, STDOUT_FILENO);
    close(ready);
    if (niceness > 0)
        setpriority(PRIO_PROCESS, 0, std::min(niceness, 19));
    writeAll(output, work());
    _exit(0);
}

// Appends what descriptor holds now, waiting only when it holds nothing yet: false at its end or on failure.
bool readSome(int descriptor, QByteArray &bytes)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes.append(buffer, got);
        return true;
    }
}

std::optional<FileIdentity> identityOf(const struct stat &info)
{
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
                        qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                        qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

} // namespace

FileOpening inspectFile(const QString &path)
{
    if (path.contains(QChar(0)))
        return failure(ENOENT);
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return failure(errno);
    return {kindProblem(info.st_mode), {}, kindOf(info.st_mode)};
}

FileOpening openRegularFile(QFile &file, QIODevice::OpenMode mode)
{
    file.close();
    if (const FileOpening kind = inspectFile(file.fileName()); kind.problem != FileProblem::None)
        return kind;
    const QByteArray name = QFile::encodeName(file.fileName());
    struct stat info {};
    const int descriptor = open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return failure(errno);
    FileProblem problem = fstat(descriptor, &info) == 0 ? kindProblem(info.st_mode) : FileProblem::Failed;
    // Reading a regular file never waits: the flag only kept the open from waiting.
    if (problem == FileProblem::None &&
        fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0)
        problem = FileProblem::Failed;
    if (problem == FileProblem::None &&
        file.open(descriptor, mode & ~QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return {};
    close(descriptor);
    return {problem == FileProblem::None ? FileProblem::Failed : problem, file.errorString(),
            kindOf(info.st_mode)};
}

FileKind fileKind(const QString &path, bool followLinks)
{
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if (path.contains(QChar(0)) ||
        (followLinks ? stat(name.constData(), &info) : lstat(name.constData(), &info)) != 0)
        return FileKind::Missing;
    return kindOf(info.st_mode);
}

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

void prepareHelperProcess(QProcess &process, int descriptor, int helperDescriptor)
{
    // Runs in the new process between fork and exec.
    process.setChildProcessModifier([descriptor, helperDescriptor, parent = getpid()] {
        if (descriptor == helperDescriptor)
            fcntl(descriptor, F_SETFD, 0);
        else
            dup2(descriptor, helperDescriptor);
        endWithParent(parent);
    });
}

void endWithThisProcess(QProcess &process)
{
    process.setChildProcessModifier([parent = getpid()] { endWithParent(parent); });
}

bool limitMemory(qint64 bytes)
{
    rlimit limit{};
    if (AddressSanitizer || bytes <= 0 || getrlimit(RLIMIT_AS, &limit) != 0)
        return false;
    limit.rlim_cur =
        limit.rlim_max == RLIM_INFINITY ? rlim_t(bytes) : std::min(rlim_t(bytes), limit.rlim_max);
    if (setrlimit(RLIMIT_AS, &limit) != 0)
        return false;
    catchOutOfMemory();
    return true;
}

void setOutOfMemoryReply(QByteArrayView line)
{
    const size_t length = std::min(size_t(line.size()), sizeof outOfMemoryReply);
    outOfMemoryReplyLength.store(0);
    if (length > 0) // an empty view may have no data at all
        std::memcpy(outOfMemoryReply, line.data(), length);
    outOfMemoryReplyLength.store(length);
}

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    struct stat info {};
    if (path.contains(QChar(0)) || stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

std::optional<FileIdentity> fileIdentity(const QFile &file)
{
    struct stat info {};
    if (file.handle() < 0 || fstat(file.handle(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

std::optional<ChildProcess> startChildProcess(const std::function<QByteArray()> &work, int niceness)
{
    int channel[2];
    int ready[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        return std::nullopt;
    if (pipe2(ready, O_CLOEXEC) != 0) {
        close(channel[0]);
        close(channel[1]);
        return std::nullopt;
    }
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        close(ready[0]);
        runChild(work, channel[1], ready[1], parent, niceness);
    }
    close(channel[1]);
    close(ready[1]);
    char none = 0;
    while (child > 0 && read(ready[0], &none, 1) < 0 && errno == EINTR) {
    }
    close(ready[0]);
    if (child < 0) {
        close(channel[0]);
        return std::nullopt;
    }
    return ChildProcess{child, channel[0]};
}

bool readChildOutput(const ChildProcess &child, QByteArray &output)
{
    return child.output >= 0 && readSome(child.output, output);
}

void pauseChildProcess(const ChildProcess &child, bool paused)
{
    if (child.pid > 0)
        kill(pid_t(child.pid), paused ? SIGSTOP : SIGCONT);
}

bool finishChildProcess(ChildProcess &child, bool stop)
{
    if (child.output >= 0)
        close(std::exchange(child.output, -1));
    if (child.pid <= 0)
        return false;
    if (stop)
        kill(pid_t(child.pid), SIGKILL);
    int status = 0;
    while (waitpid(pid_t(std::exchange(child.pid, -1)), &status, 0) < 0 && errno == EINTR) {
    }
    return !stop && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool takeOwnReadingPosition(const QFile &file)
{
    const int descriptor = file.handle();
    const off_t position = descriptor < 0 ? -1 : lseek(descriptor, 0, SEEK_CUR);
    if (position < 0)
        return false;
    const QByteArray same = "/proc/self/fd/" + QByteArray::number(descriptor);
    const int again = open(same.constData(), O_RDONLY | O_CLOEXEC);
    if (again < 0)
        return false;
    const bool moved =
        dup2(again, descriptor) == descriptor && lseek(descriptor, position, SEEK_SET) == position;
    close(again);
    return moved;
}

int processorCount()
{
    return int(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
}

QList<int> waitForInput(const QList<int> &descriptors, int timeoutMs)
{
    QList<pollfd> waiting;
    for (int descriptor : descriptors) {
        if (descriptor >= 0)
            waiting.append({descriptor, POLLIN, 0});
    }
    int polled = -1;
    while ((polled = poll(waiting.data(), nfds_t(waiting.size()), timeoutMs)) < 0 && errno == EINTR) {
    }
    QList<int> ready;
    for (const pollfd &entry : waiting) {
        if (polled > 0 && entry.revents != 0)
            ready.append(entry.fd);
    }
    return ready;
}

bool readStandardInput(QByteArray &input)
{
    return readSome(STDIN_FILENO, input);
}

std::optional<QByteArray> awaitChildProcess(ChildProcess &child, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    QByteArray made;
    bool complete = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (waitForInput({child.output}, int(std::max<qint64>(0, left.count()))).isEmpty())
            break;
        if (!readChildOutput(child, made)) {
            complete = true;
            break;
        }
    }
    if (!finishChildProcess(child, !complete))
        return std::nullopt;
    return made;
}

std::optional<QByteArray> runInChildProcess(const std::function<QByteArray()> &work, int timeoutMs)
{
    std::optional<ChildProcess> child = startChildProcess(work, 0);
    if (!child)
        return std::nullopt;
    return awaitChildProcess(*child, timeoutMs);
}

} // namespace platform
