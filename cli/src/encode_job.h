// The pipeline every code of nubora-qr goes through: a payload is
// encoded, every symbol is read back by the independent decoder, and only
// then are its files written, all or none.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "nubora/logic/code_settings.h"
#include "nubora/logic/symbol_writer.h"
#include "nubora/text/charset.h"

namespace nubora::cli {

// The exit statuses of the program.
enum ExitStatus : int {
    kExitOk = 0,
    kExitInputFailed = 1,  // an input, check, encoding or read-back failure
    kExitUsage = 2,
    kExitWriteFailed = 3,  // an output file could not be written
};

// The symbols to make, as the engine takes them.
struct SymbolRequest {
    int level = 2;          // 1 L, 2 M, 3 Q, 4 H
    int version = 0;        // 0 automatic, 1..15
    int splitCount = 1;     // 1..16
    int cellSizeIndex = 0;  // 0..7 for 0.25 ... 0.6 mm
    // The payload's bytes: CP932 through the engine's Shift_JIS entry point,
    // UTF-8 through its UTF-8 one, every symbol marked with an ECI.
    text::TextCharset charset = text::TextCharset::Cp932;
};

// Where the files go: `path` itself for one symbol and for a PDF sheet, the
// parts' paths (SplitPartPath) for a split in the other formats.
struct FileTarget {
    SymbolFileFormat format = SymbolFileFormat::Png;
    std::string path;
    // Deferred: not flushed to the disk file by file; the caller flushes the
    // file system once when all are written (FlushFileSystem).
    FileSync sync = FileSync::Now;
};

// Why a code was not written.
struct JobFailure {
    enum class Kind {
        Input,  // an input, check, encoding or read-back failure
        Write,  // an output file could not be written
    };
    Kind kind = Kind::Input;
    // Input: the string id of the message (kDataTooLong, kSplitImpossible,
    // kEncodeFailed, kReadBackFailed). Write: kFileInUse for a file another
    // program holds, else kFileOpenFailed.
    int messageId = 0;
    std::string path;  // Write: the file that could not be written
};

// Symbols that read back as their payload, and the settings they were made
// with (the print size filled in).
struct CheckedCode {
    std::unique_ptr<SymbolBitmaps> symbols;  // never null
    CodeSettings settings;
};

// Encodes `payload` (in request.charset) as `request` asks and reads every
// symbol back (ReadsBackAs, as Unicode text for UTF-8). Fails (Input) with the message of the encoding or of
// the read-back. Safe to call from several threads at once.
Result<CheckedCode, JobFailure> EncodeChecked(const std::string& payload, const SymbolRequest& request);

// Encodes `payload` (in request.charset) as `request` asks, reads the symbols back
// (ReadsBackAs) and writes them to `target`. Nothing is written unless every
// symbol reads back; when a write fails, the parts already written are
// removed again, so the call leaves either every file or none. The number of
// symbols made when all were written. Safe to call from several threads at
// once.
Result<int, JobFailure> EncodeAndWrite(const std::string& payload, const SymbolRequest& request,
                                       const FileTarget& target);

// The file of part `part` (1-based) of a split: "-<part>" before the
// extension of the last name in `path` ("out.png" → "out-2.png"), or at its
// end when it has none.
std::string SplitPartPath(const std::string& path, int part);

// The files EncodeAndWrite writes for `symbolCount` symbols to `target`.
std::vector<std::string> TargetFiles(const FileTarget& target, int symbolCount);

}  // namespace nubora::cli
