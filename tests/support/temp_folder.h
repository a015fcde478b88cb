// Test helpers for file tests: a fresh folder removed with everything in it,
// folder chains deeper than the system's path limit, and whole-file access
// that does not depend on the code under test.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace nubora::testing {

// Removes everything inside the open folder `dir` (which it closes).
inline void EmptyFolderAt(int dir)
{
    DIR* stream = ::fdopendir(dir);
    if (stream == nullptr) {
        ::close(dir);
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(stream)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    for (const std::string& name : names) {
        if (::unlinkat(::dirfd(stream), name.c_str(), 0) == 0)
            continue;
        const int inner = ::openat(::dirfd(stream), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner >= 0)
            EmptyFolderAt(inner);
        ::unlinkat(::dirfd(stream), name.c_str(), AT_REMOVEDIR);
    }
    ::closedir(stream);
}

// A new empty folder under $TMPDIR (or /tmp), removed with its content.
class TempFolder {
public:
    TempFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/nubora-test-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        if (path_.empty())
            return;
        const int dir = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0)
            EmptyFolderAt(dir);
        ::rmdir(path_.c_str());
    }

    bool Valid() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // The names in the folder, "." and ".." left out.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        if (DIR* stream = ::opendir(path_.c_str())) {
            while (const dirent* entry = ::readdir(stream)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..")
                    names.push_back(name);
            }
            ::closedir(stream);
        }
        return names;
    }

    // Creates `depth` nested folders named `name` inside this one, one call
    // per level, and returns the full path of the deepest (which may be
    // longer than a single system call accepts). Empty on failure.
    std::string MakeDeepFolder(const std::string& name, int depth) const
    {
        int dir = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        std::string path = path_;
        for (int i = 0; i < depth && dir >= 0; ++i) {
            if (::mkdirat(dir, name.c_str(), 0700) != 0) {
                ::close(dir);
                return {};
            }
            const int inner = ::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(dir);
            dir = inner;
            path += "/" + name;
        }
        if (dir < 0)
            return {};
        ::close(dir);
        return path;
    }

private:
    std::string path_;
};

// The content of a file at a path short enough for one call, or "<missing>".
inline std::string Slurp(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<missing>";
    std::string out;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<size_t>(n));
    ::close(fd);
    return out;
}

// Writes a file at a path short enough for one call; true on success.
inline bool Spill(const std::string& path, const std::string& content)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    return ::close(fd) == 0 && ok;
}

}  // namespace nubora::testing
