// Reading codes that already exist back out of pictures: every QR Code
// symbol that zxing-cpp finds in a picture (upright or turned, printed or
// photographed), its bytes as text, and the parts of structured-append
// splits joined into whole codes. No windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nubora/logic/picture_file.h"
#include "nubora/logic/result.h"

namespace nubora {

// Grey pixels in memory, 1 byte a pixel from 0 black to 255 white, that the
// caller keeps while the reader looks at them.
struct PixelView {
    const uint8_t* pixels = nullptr;
    int width = 0;      // pixels, >= 1
    int height = 0;     // pixels, >= 1
    int rowStride = 0;  // bytes from one row to the next, >= width
};

// The character set in which a code's bytes were read as text.
enum class CodeCharset {
    Ascii,     // bytes 0x00-0x7F only
    Utf8,      // UTF-8: by ECI 26, or valid UTF-8 without an ECI
    ShiftJis,  // Shift_JIS (CP932): by ECI 20, or valid CP932 without an ECI
    Other,     // another ECI, converted to UTF-8 by the decoder
    Unknown,   // neither UTF-8 nor CP932: the text shows U+FFFD for each unreadable byte
};

// The structured-append header of a part of a split.
struct SplitHeader {
    int index = 0;   // 0-based, 0..count-1
    int count = 0;   // parts of the split, 2..16
    int parity = 0;  // 0..255: the exclusive-or of every byte of the whole split's data
    bool operator==(const SplitHeader&) const = default;
};

// One symbol found in a picture.
struct FoundSymbol {
    std::string bytes;  // its data bytes as encoded, without ECI designators
    int eci = -1;       // the first ECI of the symbol; -1 when it has none
    int version = 0;    // 1..40; 0 when the picture does not show it clearly enough
    char level = 'M';   // error correction level: 'L', 'M', 'Q' or 'H'
    bool isSplitPart = false;
    SplitHeader split;        // only when isSplitPart
    std::string decoderText;  // the decoder's own UTF-8 reading of the bytes, used for ECIs other than 20 and 26
};

// One whole code: a symbol on its own, or the parts of a split joined in
// order of their index.
struct ReadCode {
    std::string bytes;  // the data bytes
    std::string text;   // the bytes as UTF-8 text, converted from `charset`
    CodeCharset charset = CodeCharset::Ascii;
    int eci = -1;        // as FoundSymbol::eci of the first part
    int version = 0;     // of the first part; 1..40, 0 when unknown
    char level = 'M';    // of the first part
    int splitCount = 1;  // 1, or the number of parts joined (2..16)
    int parity = -1;     // the split's parity 0..255; -1 for a single symbol
};

// Why no code came out.
enum class ReadFailureKind {
    FileUnreadable,   // the file cannot be opened or read
    NotAnImage,       // the file holds no picture the readers know, nor a readable PDF page
    PictureTooLarge,  // the picture does not fit in memory
    NoCode,           // the picture shows no QR Code symbol
    DamagedCode,      // a symbol was found but too damaged to read
    IncompleteSplit,  // parts of a split are missing
    MismatchedSplit,  // parts that disagree: two different parts with one index, or a wrong parity
    DecoderError,     // the decoder failed for want of memory or threw, or the picture module is missing
};

// A failure with what its message needs.
struct ReadFailure {
    ReadFailureKind kind = ReadFailureKind::NoCode;
    std::string path;                       // the file, when the failure belongs to one; else empty
    std::vector<std::string> missingParts;  // IncompleteSplit: "2/4", "4/4" … in order of index
};

// Every QR Code symbol in `view`, in the order the decoder finds them, each
// found once even when the picture is also tried turned. Fails with NoCode
// when there is none, DamagedCode when the only symbols found could not be
// decoded, DecoderError when memory runs out; an empty or ill-formed view is
// NoCode. Never throws. Safe to call from several threads at once.
Result<std::vector<FoundSymbol>, ReadFailure> FindSymbols(const PixelView& view);

// The same for the picture in the file at `path` (LoadPicture); every
// failure carries `path`.
Result<std::vector<FoundSymbol>, ReadFailure> FindSymbolsInFile(const std::string& path);

// The whole codes of `symbols`, which may come from several pictures: every
// symbol that is no split part is a code of its own, and the parts of a
// split, in any order, are joined by index once all are there and their
// joined bytes match the parity. The same symbol found twice counts once.
// Codes come in the order of their first symbol. Fails with IncompleteSplit,
// naming the missing parts of the first split that lacks some, or with
// MismatchedSplit; with NoCode when `symbols` is empty.
Result<std::vector<ReadCode>, ReadFailure> JoinCodes(const std::vector<FoundSymbol>& symbols);

// FindSymbolsInFile for each of `paths` in turn, then JoinCodes over all of
// their symbols: the parts of a split may lie in different files. Fails with
// the first file's failure, or as JoinCodes does.
Result<std::vector<ReadCode>, ReadFailure> ReadCodesInFiles(const std::vector<std::string>& paths);

// A code's bytes read as text.
struct CodeText {
    std::string text;  // UTF-8
    CodeCharset charset = CodeCharset::Ascii;
};

// `bytes` as UTF-8 text, read as `eci` says (20 Shift_JIS, 26 UTF-8; -1 none:
// ASCII, else UTF-8 when valid, else CP932 when valid, else Unknown with
// U+FFFD for each byte that begins no CP932 character). For any other ECI,
// `decoded` is the decoder's own text and is taken as it is.
CodeText TextOfBytes(const std::string& bytes, int eci, const std::string& decoded = {});

// The string id of the message for `kind` (string_ids.h).
int ReadFailureMessageId(ReadFailureKind kind);

// The message for `failure` as UTF-8, the missing parts filled in
// ("2/4 と 4/4").
std::string ReadFailureMessage(const ReadFailure& failure);

// "ascii", "utf-8", "shift_jis", "eci" or "unknown".
const char* CharsetName(CodeCharset charset);

}  // namespace nubora
