#include "nubora/logic/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <random>
#include <utility>

namespace nubora {
namespace {

// Owns one file descriptor; AT_FDCWD and -1 are never closed.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.fd_, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(-1); }

    int Get() const noexcept { return fd_; }
    bool Valid() const noexcept { return fd_ >= 0 || fd_ == AT_FDCWD; }
    // Closes the descriptor now; false when close reports an error.
    bool Close() noexcept { return Reset(-1); }

private:
    bool Reset(int fd) noexcept
    {
        bool ok = true;
        if (fd_ >= 0)
            ok = ::close(fd_) == 0;
        fd_ = fd;
        return ok;
    }
    int fd_ = -1;
};

// A file named relative to an open folder.
struct Location {
    UniqueFd folder;
    std::string name;
};

// Opens the folder part of `path` (relative to `start`, or to the root for an
// absolute path) one name at a time and keeps the last name. Fails with
// CannotOpen when a folder cannot be opened or the path has no last name
// ("", "dir/").
Result<Location, FileStatus> Locate(int start, std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return Fail(FileStatus::CannotOpen);
    // Own a copy of the start folder, so that every step may close the last.
    UniqueFd folder(start == AT_FDCWD ? AT_FDCWD : ::fcntl(start, F_DUPFD_CLOEXEC, 0));
    if (!folder.Valid())
        return Fail(FileStatus::CannotOpen);
    if (slash != std::string_view::npos) {
        std::string_view rest = path.substr(0, slash);
        if (path.front() == '/') {
            folder = UniqueFd(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!folder.Valid())
                return Fail(FileStatus::CannotOpen);
        }
        while (!rest.empty()) {
            const std::size_t next = rest.find('/');
            const std::string part(rest.substr(0, next));
            rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next + 1);
            if (part.empty())
                continue;
            UniqueFd inner(::openat(folder.Get(), part.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!inner.Valid())
                return Fail(FileStatus::CannotOpen);
            folder = std::move(inner);
        }
    }
    return Location{std::move(folder), std::string(name)};
}

// Locates `path` and follows symbolic links at its last name, so that the
// result names the file itself (or a name that does not exist yet). Fails
// with CannotOpen as Locate does, on a link that cannot be read and after
// 40 links.
Result<Location, FileStatus> LocateTarget(const std::string& path)
{
    Result<Location, FileStatus> at = Locate(AT_FDCWD, path);
    for (int hops = 0; at && hops < 40; ++hops) {
        struct stat st {};
        if (::fstatat(at->folder.Get(), at->name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(st.st_mode))
            return at;
        // Links in /proc report a size of 0: allow for a long target then.
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4095) + 1, '\0');
        const ssize_t n = ::readlinkat(at->folder.Get(), at->name.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
            return Fail(FileStatus::CannotOpen);
        target.resize(static_cast<std::size_t>(n));
        at = Locate(at->folder.Get(), target);
    }
    if (at)
        return Fail(FileStatus::CannotOpen);  // a link too many
    return at;
}

// True when another open file description holds a lock on fd that conflicts
// with taking `type` (F_RDLCK or F_WRLCK): either a flock() lock or a POSIX
// record lock anywhere in the file.
bool LockedByOthers(int fd, short type)
{
    if (::flock(fd, (type == F_WRLCK ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return true;
    } else {
        (void)::flock(fd, LOCK_UN);
    }
    struct flock probe {};
    probe.l_type = type;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0;
    if (::fcntl(fd, F_OFD_GETLK, &probe) == 0)
        return probe.l_type != F_UNLCK;
    return false;
}

bool Busy(int error) { return error == EBUSY || error == ETXTBSY; }

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A fresh file beside the target, opened for writing, with its name.
struct TempFile {
    UniqueFd fd;
    std::string name;
};

// Creates a new file of a random name in `folder` with `mode` (less the
// umask). Fails with CannotOpen when none can be created.
Result<TempFile, FileStatus> CreateTemp(int folder, mode_t mode)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        uint64_t bits = random();
        std::string name = ".nubora-";
        for (int i = 0; i < 16; ++i, bits >>= 4)
            name += kHex[bits & 15];
        name += ".tmp";
        UniqueFd fd(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode));
        if (fd.Valid())
            return TempFile{std::move(fd), std::move(name)};
        if (errno != EEXIST)
            return Fail(FileStatus::CannotOpen);
    }
    return Fail(FileStatus::CannotOpen);
}

// Checks that an existing file at the location may be replaced: it must be a
// regular file we may write, not busy and not locked. The permission bits of
// the existing file, or nothing when there is none.
Result<std::optional<mode_t>, FileStatus> CheckReplaceable(const Location& at)
{
    struct stat st {};
    if (::fstatat(at.folder.Get(), at.name.c_str(), &st, 0) != 0) {
        if (errno == ENOENT)
            return std::optional<mode_t>();
        return Fail(FileStatus::CannotOpen);
    }
    if (!S_ISREG(st.st_mode))
        return Fail(FileStatus::CannotOpen);
    UniqueFd probe(::openat(at.folder.Get(), at.name.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!probe.Valid())
        return Fail(Busy(errno) ? FileStatus::InUse : FileStatus::CannotOpen);
    if (LockedByOthers(probe.Get(), F_WRLCK))
        return Fail(FileStatus::InUse);
    return std::optional<mode_t>(st.st_mode & 07777);
}

}  // namespace

Result<std::string, FileStatus> ReadWholeFile(const std::string& path)
{
    const Result<Location, FileStatus> located = LocateTarget(path);
    if (!located)
        return Fail(located.Error());
    const Location& at = *located;
    UniqueFd fd(::openat(at.folder.Get(), at.name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.Valid())
        return Fail(Busy(errno) ? FileStatus::InUse : FileStatus::CannotOpen);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        return Fail(FileStatus::CannotOpen);
    if (LockedByOthers(fd.Get(), F_RDLCK))
        return Fail(FileStatus::InUse);

    std::string bytes;
    char piece[16384];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), piece, sizeof piece);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(FileStatus::Unreadable);
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxReadBytes)
            return Fail(FileStatus::Unreadable);
        bytes.append(piece, static_cast<std::size_t>(n));
    }
    return bytes;
}

Result<void, FileStatus> WriteFileAtomically(const std::string& path, std::string_view content, FileSync sync)
{
    const Result<Location, FileStatus> located = LocateTarget(path);
    if (!located)
        return Fail(located.Error());
    const Location& at = *located;
    const Result<std::optional<mode_t>, FileStatus> existing = CheckReplaceable(at);
    if (!existing)
        return Fail(existing.Error());
    const bool keepMode = existing->has_value();
    const mode_t mode = existing->value_or(0666);

    Result<TempFile, FileStatus> created = CreateTemp(at.folder.Get(), mode);
    if (!created)
        return Fail(created.Error());
    TempFile& temp = *created;
    bool written = WriteAll(temp.fd.Get(), content);
    if (written && keepMode)
        written = ::fchmod(temp.fd.Get(), mode) == 0;
    if (written && sync == FileSync::Now)
        written = ::fsync(temp.fd.Get()) == 0;
    if (!temp.fd.Close())
        written = false;
    if (!written || ::renameat(at.folder.Get(), temp.name.c_str(), at.folder.Get(), at.name.c_str()) != 0) {
        (void)::unlinkat(at.folder.Get(), temp.name.c_str(), 0);
        return Fail(FileStatus::CannotOpen);
    }
    // Make the rename itself durable; the file is already complete either way.
    if (sync == FileSync::Now) {
        UniqueFd folder(::openat(at.folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.Valid())
            (void)::fsync(folder.Get());
    }
    return {};
}

Result<void, WriteFailure> SaveWholeFile(const std::string& path, std::string_view content, FileSync sync)
{
    if (const Result<void, FileStatus> written = WriteFileAtomically(path, content, sync); !written)
        return Fail(WriteFailure{path, WriteFailure::Step::Write, written.Error()});
    return {};
}

Result<void, FlushFailure> FlushFileSystem(const std::string& folder)
{
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid())
        return Fail(FlushFailure::CannotOpenFolder);
    if (::syncfs(fd.Get()) != 0)
        return Fail(FlushFailure::FlushFailed);
    return {};
}

}  // namespace nubora
