#include "Files.h"

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

#ifdef _WIN32

namespace {

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const int written = _write(fd, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

long CurrentProcessId() { return static_cast<long>(GetCurrentProcessId()); }

bool ProcessRunning(long pid)
{
    if (pid <= 0)
        return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr)
        return GetLastError() == ERROR_ACCESS_DENIED; // another account's process
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

std::optional<unsigned> FileMode(const std::filesystem::path&) { return std::nullopt; }

NewFile WriteNewFile(const std::filesystem::path& path, const std::string& bytes, std::optional<unsigned>)
{
    const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return NewFile::NotCreated;
    bool ok = WriteAll(fd, bytes) && _commit(fd) == 0;
    ok = _close(fd) == 0 && ok;
    if (!ok)
        _wremove(path.c_str());
    return ok ? NewFile::Written : NewFile::Failed;
}

bool OverwriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    const int fd = _wopen(path.c_str(), _O_WRONLY | _O_BINARY);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes) && _chsize_s(fd, static_cast<long long>(bytes.size())) == 0 && _commit(fd) == 0;
    ok = _close(fd) == 0 && ok;
    return ok;
}

void SyncFolder(const std::filesystem::path&) { }

#else

namespace {

// One write call for a file as small as ours; the loop only covers a signal or a short write.
bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

long CurrentProcessId() { return static_cast<long>(getpid()); }

bool ProcessRunning(long pid)
{
    if (pid <= 0 || pid > INT_MAX)
        return false;
    // EPERM: it runs, as another user.
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::optional<unsigned> FileMode(const std::filesystem::path& path)
{
    struct stat status
    { };
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return static_cast<unsigned>(status.st_mode & 07777);
}

NewFile WriteNewFile(const std::filesystem::path& path, const std::string& bytes, std::optional<unsigned> mode)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return NewFile::NotCreated;
    bool ok = WriteAll(fd, bytes);
    // The old file's mode as it was, which the umask would otherwise cut.
    if (ok && mode)
        ok = fchmod(fd, static_cast<mode_t>(*mode)) == 0;
    ok = ok && fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        ::unlink(path.c_str());
    return ok ? NewFile::Written : NewFile::Failed;
}

bool OverwriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    ::close(fd);
}

#endif

} // namespace platform
