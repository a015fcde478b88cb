// Whole-file reading and all-or-nothing writing for the files the program
// keeps for the user: the input data files and the symbol files.
//
// Paths are byte strings of any length. The folder part is walked one name at
// a time, so a path longer than the system's limit for a single call works as
// long as each of its names fits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "nubora/logic/result.h"

namespace nubora {

// Why a read or a write failed.
enum class FileStatus {
    CannotOpen,  // no such file or folder, no access, not a regular file, or the write failed
    Unreadable,  // opened, but reading failed or the file is larger than the reader takes
    InUse,       // another program holds an advisory lock on the file, or it is busy (EBUSY, ETXTBSY)
};

// The largest file ReadWholeFile takes, in bytes. Every file the program
// writes is far smaller.
inline constexpr std::size_t kMaxReadBytes = std::size_t{16} << 20;

// The whole content of the regular file at `path`.
// Fails with CannotOpen when it does not exist or cannot be opened, or is no
// regular file; InUse when another program holds a lock on it (flock or a
// POSIX record lock); Unreadable when a read fails or it holds more than
// kMaxReadBytes.
Result<std::string, FileStatus> ReadWholeFile(const std::string& path);

// Replaces (or creates) the file at `path` with exactly `content`: the bytes
// go to a new file in the same folder, are flushed to the disk, and that file
// is then renamed over `path`. A symbolic link at `path` is followed, so the
// file it names is replaced. An existing file keeps its permission bits; a new
// one gets 0666 less the umask.
// Fails with InUse when the existing file is locked by another program or
// busy; CannotOpen for every other failure (no folder, no access, a read-only
// existing file, a directory at `path`, a full disk). On any failure the
// existing file is untouched and no temporary file is left behind.
// With FileSync::Deferred the file and the rename are not flushed to the disk
// one by one: a writer of many files calls FlushFileSystem once at the end.
enum class FileSync { Now, Deferred };
Result<void, FileStatus> WriteFileAtomically(const std::string& path, std::string_view content,
                                             FileSync sync = FileSync::Now);

// Why a builder of a file made for the user (a symbol picture or drawing, a
// sheet) gave no content.
enum class BuildFailure {
    NoPicture,     // a symbol is null, has no pixels or is larger than the builder takes
    OutOfRange,    // a cell size, a count of pixels a module or of symbols is out of range
    RenderFailed,  // zlib could not compress the content, or the PDF could not be drawn (out of memory)
};

// Why a file made for the user (a symbol file, a sheet) was not written. An
// existing file at `path` is then left as it was and nothing new remains.
struct WriteFailure {
    // Which step failed.
    enum class Step {
        Build,  // there was nothing to write: a symbol without pixels, a count or a cell size out of range
        Write,  // the content could not be written: `status` says why
    };
    std::string path;  // the file that was not written
    Step step = Step::Write;
    FileStatus status = FileStatus::CannotOpen;  // for Write: CannotOpen or InUse
};

// WriteFileAtomically(path, content, sync), its failure naming `path` (step
// Write, with the file's status).
Result<void, WriteFailure> SaveWholeFile(const std::string& path, std::string_view content,
                                         FileSync sync = FileSync::Now);

// Why FlushFileSystem failed.
enum class FlushFailure {
    CannotOpenFolder,  // the folder does not exist or cannot be opened
    FlushFailed,       // the system could not write everything to the disk
};

// Flushes to the disk everything written on the file system that holds the
// folder `folder` (after writes with FileSync::Deferred).
Result<void, FlushFailure> FlushFileSystem(const std::string& folder);

}  // namespace nubora
