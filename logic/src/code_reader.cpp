#include "nubora/logic/code_reader.h"

#include "finder_scan.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_texts.h"
#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"
#include "symbol_version_probe.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>
#include <map>
#include <new>
#include <utility>

namespace nubora {
namespace {

constexpr int kEciShiftJis = 20;
constexpr int kEciUtf8 = 26;
constexpr int kEciDigits = 6;           // an ECI designator in the decoder's ECI text: '\' and six digits
constexpr size_t kSymbologyIdSize = 3;  // "]Q2" before the ECI text
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsAscii(std::string_view bytes)
{
    return std::ranges::all_of(bytes, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The first ECI designator of the decoder's ECI text ("]Q2", then the data
// with each ECI as '\' and six digits and each '\' of the data doubled); -1
// when there is none.
int FirstEci(const ZXing::ByteArray& eciText)
{
    const std::string_view all(reinterpret_cast<const char*>(eciText.data()), eciText.size());
    for (size_t at = kSymbologyIdSize; at + 1 < all.size(); ++at) {
        if (all[at] != '\\')
            continue;
        if (all[at + 1] == '\\') {
            ++at;
            continue;
        }
        int eci = -1;
        const char* digits = all.data() + at + 1;
        if (at + 1 + kEciDigits <= all.size() &&
            std::from_chars(digits, digits + kEciDigits, eci).ptr == digits + kEciDigits)
            return eci;
    }
    return -1;
}

FoundSymbol SymbolOf(const ZXing::Result& result, const GreyPicture& grey)
{
    FoundSymbol symbol;
    const ZXing::ByteArray& bytes = result.bytes();
    symbol.bytes.assign(bytes.begin(), bytes.end());
    symbol.eci = result.hasECI() ? FirstEci(result.bytesECI()) : -1;
    symbol.decoderText = result.text();
    const std::string level = result.ecLevel();
    symbol.level = level.size() == 1 ? level[0] : 'M';
    detail::SymbolCorners corners;
    for (size_t i = 0; i < corners.size(); ++i)
        corners[i] = {static_cast<double>(result.position()[i].x), static_cast<double>(result.position()[i].y)};
    symbol.version = detail::ProbeSymbolVersion(grey, corners);
    symbol.isSplitPart = result.isPartOfSequence() && result.sequenceSize() >= 2;
    if (symbol.isSplitPart) {
        int parity = 0;
        const std::string id = result.sequenceId();
        std::from_chars(id.data(), id.data() + id.size(), parity);
        symbol.split = {result.sequenceIndex(), result.sequenceSize(), parity};
    }
    return symbol;
}

// The pixels of `view` as a grey picture of their own.
GreyPicture GreyOf(const PixelView& view)
{
    GreyPicture grey;
    grey.width = view.width;
    grey.height = view.height;
    grey.pixels.resize(static_cast<size_t>(view.width) * static_cast<size_t>(view.height));
    for (int y = 0; y < view.height; ++y)
        std::copy_n(view.pixels + static_cast<ptrdiff_t>(y) * view.rowStride, view.width,
                    grey.pixels.data() + static_cast<ptrdiff_t>(y) * view.width);
    return grey;
}

bool IsWellFormed(const PixelView& view)
{
    return view.pixels != nullptr && view.width >= 1 && view.height >= 1 && view.rowStride >= view.width &&
           static_cast<int64_t>(view.width) * view.height <= kMaxPicturePixels;
}

// Every symbol in the grey picture: photographs and turned pictures are
// searched for harder. When none can be read, a picture that shows finder
// patterns holds a damaged symbol rather than none.
Result<std::vector<FoundSymbol>, ReadFailure> FindInGrey(const GreyPicture& grey)
{
    const auto hints =
        ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode).setTryHarder(true).setTryRotate(true);
    const ZXing::ImageView image(grey.pixels.data(), grey.width, grey.height, ZXing::ImageFormat::Lum);
    std::vector<FoundSymbol> symbols;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(image, hints)) {
        if (result.isValid() && result.format() == ZXing::BarcodeFormat::QRCode)
            symbols.push_back(SymbolOf(result, grey));
    }
    if (symbols.empty()) {
        const bool damaged = detail::ShowsFinderPatterns(grey);
        return Fail(ReadFailure{damaged ? ReadFailureKind::DamagedCode : ReadFailureKind::NoCode, {}, {}});
    }
    return symbols;
}

ReadFailureKind KindOf(PictureFailure failure)
{
    switch (failure) {
    case PictureFailure::FileUnreadable: return ReadFailureKind::FileUnreadable;
    case PictureFailure::NotAnImage: return ReadFailureKind::NotAnImage;
    case PictureFailure::TooLarge: return ReadFailureKind::PictureTooLarge;
    case PictureFailure::ReaderMissing: return ReadFailureKind::DecoderError;
    }
    return ReadFailureKind::NotAnImage;
}

bool SameSymbol(const FoundSymbol& a, const FoundSymbol& b)
{
    return a.bytes == b.bytes && a.eci == b.eci && a.isSplitPart == b.isSplitPart &&
           (!a.isSplitPart || a.split == b.split);
}

uint8_t Parity(std::string_view bytes)
{
    uint8_t parity = 0;
    for (const char c : bytes)
        parity ^= static_cast<uint8_t>(c);
    return parity;
}

ReadCode CodeOf(const FoundSymbol& first, std::string bytes, const std::string& decoderText)
{
    ReadCode code;
    CodeText text = TextOfBytes(bytes, first.eci, decoderText);
    code.bytes = std::move(bytes);
    code.text = std::move(text.text);
    code.charset = text.charset;
    code.eci = first.eci;
    code.version = first.version;
    code.level = first.level;
    return code;
}

// The parts of one split (all with the same count and parity) joined, or why
// they cannot be.
Result<ReadCode, ReadFailure> JoinSplit(const std::vector<const FoundSymbol*>& parts)
{
    const SplitHeader header = parts.front()->split;
    std::vector<const FoundSymbol*> byIndex(static_cast<size_t>(header.count), nullptr);
    for (const FoundSymbol* part : parts) {
        if (part->split.index < 0 || part->split.index >= header.count)
            return Fail(ReadFailure{ReadFailureKind::MismatchedSplit, {}, {}});
        const FoundSymbol*& slot = byIndex[static_cast<size_t>(part->split.index)];
        if (slot != nullptr && !SameSymbol(*slot, *part))
            return Fail(ReadFailure{ReadFailureKind::MismatchedSplit, {}, {}});
        slot = part;
    }
    ReadFailure missing{ReadFailureKind::IncompleteSplit, {}, {}};
    for (int i = 0; i < header.count; ++i) {
        if (byIndex[static_cast<size_t>(i)] == nullptr)
            missing.missingParts.push_back(std::to_string(i + 1) + "/" + std::to_string(header.count));
    }
    if (!missing.missingParts.empty())
        return Fail(std::move(missing));
    std::string bytes;
    std::string decoderText;
    for (const FoundSymbol* part : byIndex) {
        bytes += part->bytes;
        decoderText += part->decoderText;
    }
    if (Parity(bytes) != header.parity)
        return Fail(ReadFailure{ReadFailureKind::MismatchedSplit, {}, {}});
    ReadCode code = CodeOf(*byIndex.front(), std::move(bytes), decoderText);
    code.splitCount = header.count;
    code.parity = header.parity;
    return code;
}

}  // namespace

Result<std::vector<FoundSymbol>, ReadFailure> FindSymbols(const PixelView& view)
{
    if (!IsWellFormed(view))
        return Fail(ReadFailure{ReadFailureKind::NoCode, {}, {}});
    try {
        return FindInGrey(GreyOf(view));
    } catch (...) {
        // Out of memory, or the decoder gave up on the picture by throwing.
        return Fail(ReadFailure{ReadFailureKind::DecoderError, {}, {}});
    }
}

Result<std::vector<FoundSymbol>, ReadFailure> FindSymbolsInFile(const std::string& path)
{
    Result<GreyPicture, PictureFailure> picture = LoadPicture(path);
    if (!picture)
        return Fail(ReadFailure{KindOf(picture.Error()), path, {}});
    Result<std::vector<FoundSymbol>, ReadFailure> found = [&]() -> Result<std::vector<FoundSymbol>, ReadFailure> {
        try {
            return FindInGrey(*picture);
        } catch (...) {
            return Fail(ReadFailure{ReadFailureKind::DecoderError, {}, {}});
        }
    }();
    if (!found) {
        ReadFailure failure = found.Error();
        failure.path = path;
        return Fail(std::move(failure));
    }
    return found;
}

Result<std::vector<ReadCode>, ReadFailure> JoinCodes(const std::vector<FoundSymbol>& symbols)
{
    if (symbols.empty())
        return Fail(ReadFailure{ReadFailureKind::NoCode, {}, {}});
    // Each code in the order of its first symbol: a single symbol at once, a
    // split at the place of its first part.
    std::vector<ReadCode> codes;
    std::vector<const FoundSymbol*> singles;
    // The parts of each split. Two splits may share their count and parity
    // (one in 256 for the same count): a part whose place is taken by
    // another symbol starts a split of its own.
    std::vector<std::vector<const FoundSymbol*>> splits;
    std::vector<std::pair<bool, size_t>> order;  // (is a split, its index in singles or splits)
    const auto fits = [](const std::vector<const FoundSymbol*>& parts, const FoundSymbol& part) {
        const SplitHeader& header = parts.front()->split;
        return header.count == part.split.count && header.parity == part.split.parity &&
               std::ranges::none_of(parts, [&](const FoundSymbol* known) {
                   return known->split.index == part.split.index && !SameSymbol(*known, part);
               });
    };
    for (const FoundSymbol& symbol : symbols) {
        if (!symbol.isSplitPart) {
            if (std::ranges::none_of(singles, [&](const FoundSymbol* seen) { return SameSymbol(*seen, symbol); })) {
                order.emplace_back(false, singles.size());
                singles.push_back(&symbol);
            }
            continue;
        }
        const auto group = std::ranges::find_if(splits, [&](const auto& parts) { return fits(parts, symbol); });
        if (group != splits.end()) {
            group->push_back(&symbol);
            continue;
        }
        order.emplace_back(true, splits.size());
        splits.push_back({&symbol});
    }
    for (const auto& [isSplit, index] : order) {
        if (!isSplit) {
            codes.push_back(CodeOf(*singles[index], singles[index]->bytes, singles[index]->decoderText));
            continue;
        }
        Result<ReadCode, ReadFailure> joined = JoinSplit(splits[index]);
        if (!joined)
            return Fail(joined.Error());
        codes.push_back(std::move(joined).Value());
    }
    return codes;
}

Result<std::vector<ReadCode>, ReadFailure> ReadCodesInFiles(const std::vector<std::string>& paths)
{
    std::vector<FoundSymbol> all;
    for (const std::string& path : paths) {
        Result<std::vector<FoundSymbol>, ReadFailure> found = FindSymbolsInFile(path);
        if (!found)
            return Fail(found.Error());
        std::ranges::move(found.Value(), std::back_inserter(all));
    }
    return JoinCodes(all);
}

CodeText TextOfBytes(const std::string& bytes, int eci, const std::string& decoded)
{
    if ((eci < 0 || eci == kEciUtf8) && text::IsUtf8(bytes))
        return {bytes, IsAscii(bytes) ? CodeCharset::Ascii : CodeCharset::Utf8};
    if (eci < 0 || eci == kEciShiftJis) {
        std::string text = text::Cp932ToUtf8(bytes);
        const bool whole = text.find(kReplacement) == std::string::npos;
        return {std::move(text), whole ? CodeCharset::ShiftJis : CodeCharset::Unknown};
    }
    if (eci != kEciUtf8)
        return {decoded, CodeCharset::Other};
    // Bytes announced as UTF-8 that are not: each byte that begins no
    // character becomes U+FFFD.
    std::string text;
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const text::Utf8Char c = text::FirstUtf8Char(rest);
        const size_t length = c.length == 0 ? 1 : c.length;
        text += c.length == 0 ? kReplacement : rest.substr(0, length);
        rest.remove_prefix(length);
    }
    return {std::move(text), CodeCharset::Unknown};
}

int ReadFailureMessageId(ReadFailureKind kind)
{
    namespace str = res::str;
    switch (kind) {
    case ReadFailureKind::FileUnreadable: return str::kFileReadFailed;
    case ReadFailureKind::NotAnImage: return str::kPictureUnreadable;
    case ReadFailureKind::PictureTooLarge: return str::kPictureTooLarge;
    case ReadFailureKind::NoCode: return str::kNoCodeInPicture;
    case ReadFailureKind::DamagedCode: return str::kDamagedCode;
    case ReadFailureKind::IncompleteSplit: return str::kSplitPartsMissing;
    case ReadFailureKind::MismatchedSplit: return str::kSplitPartsMismatch;
    case ReadFailureKind::DecoderError: return str::kCodeReadFailed;
    }
    return str::kCodeReadFailed;
}

std::string ReadFailureMessage(const ReadFailure& failure)
{
    std::string parts;
    for (const std::string& part : failure.missingParts)
        parts += (parts.empty() ? "" : " と ") + part;
    return res::FilledStringText(ReadFailureMessageId(failure.kind), {parts});
}

const char* CharsetName(CodeCharset charset)
{
    switch (charset) {
    case CodeCharset::Ascii: return "ascii";
    case CodeCharset::Utf8: return "utf-8";
    case CodeCharset::ShiftJis: return "shift_jis";
    case CodeCharset::Other: return "eci";
    case CodeCharset::Unknown: return "unknown";
    }
    return "unknown";
}

}  // namespace nubora
