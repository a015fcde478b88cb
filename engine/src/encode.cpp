// The encode flow and the capacity queries.
#include "encode.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "bitstream.h"
#include "capacity.h"
#include "symbol.h"
#include "utf8_analysis.h"

namespace tavoqr {
namespace {

// Module sizes of the cell size indices 0..7, in hundredths of a millimetre.
constexpr std::array<int32_t, 8> kCellSizes = {25, 30, 35, 40, 45, 50, 55, 60};
// Allowance per symbol for its structured-append header and segment headers.
constexpr int32_t kSymbolAllowanceBits = 44;

bool ValidRequest(const QrEncodeParams& params)
{
    return params.version >= 0 && params.version <= kMaxEncodeVersion && params.level >= 0 && params.level <= kLevelH;
}

bool ValidSymbolCount(int32_t symbolCount) { return symbolCount >= 1 && symbolCount <= kMaxSymbolCount; }

// Points the context at a text; false when it is too long to measure in 32 bits.
bool SetText(QrEncodeContext& ctx, const char* text, const QrEncodeParams& params)
{
    const size_t length = std::strlen(text);
    if (length > static_cast<size_t>(INT32_MAX / 16))
        return false;
    ctx.text = reinterpret_cast<const uint8_t*>(text);
    ctx.textLength = static_cast<int32_t>(length);
    ctx.request = QrSymbolSpec{};
    ctx.request.version = params.version;
    ctx.request.level = params.level;
    return true;
}

// The analysis of ctx's text. A text that is empty (a nonzero length given
// for an empty string) holds nothing a symbol could carry: it fits none.
Result<int32_t> AnalyseText(QrEncodeContext& ctx, int32_t symbolCount)
{
    if (ctx.textLength == 0)
        return Status::kDataTooLong;
    return Analyse(ctx, symbolCount);
}

// The structured-append division and the bits one symbol must hold.
Status DivideAndMeasure(QrEncodeContext& ctx, int32_t bits, int32_t symbolCount, int32_t& choiceBits)
{
    if (symbolCount == 1) {
        choiceBits = bits;
        return Status::kOk;
    }
    const int32_t budget = bits + kSymbolAllowanceBits * symbolCount;
    if (const Status s = Divide(ctx, budget, symbolCount); s != Status::kOk)
        return s;
    choiceBits = (budget + ctx.overflowBits) / symbolCount;
    return Status::kOk;
}

// Choose, then make sure every symbol's exact content fits; a version above
// the encode calls' largest counts as Status::kDataTooLong.
Status ChooseFitting(QrEncodeContext& ctx, int32_t bits, int32_t symbolCount)
{
    if (const Status s = Choose(ctx, ctx.request, bits); s != Status::kOk)
        return s;
    if (ctx.symbol.version > kMaxEncodeVersion)
        return Status::kDataTooLong;
    if (const Status s = FitLargestSymbol(ctx, ctx.request, symbolCount); s != Status::kOk)
        return s;
    return ctx.symbol.version > kMaxEncodeVersion ? Status::kDataTooLong : Status::kOk;
}

// Owns the result array until it is handed to the caller.
struct BitmapArray {
    QrBitmap** items = nullptr;
    int32_t count = 0;

    explicit BitmapArray(int32_t n)
        : items(static_cast<QrBitmap**>(std::calloc(static_cast<size_t>(n), sizeof(QrBitmap*)))), count(n)
    {
    }
    BitmapArray(const BitmapArray&) = delete;
    BitmapArray& operator=(const BitmapArray&) = delete;
    ~BitmapArray() { TavoQREnc_FreeBitmaps(items, count); }
    QrBitmap** Release() { return std::exchange(items, nullptr); }
};

// Symbol `index` of `symbolCount`: its data codewords, then its bitmap.
Status MakeSymbol(QrEncodeContext& ctx, int32_t index, int32_t symbolCount, QrBitmap*& out)
{
    if (const Status s = WriteSymbolData(ctx, index, symbolCount); s != Status::kOk)
        return s;
    std::unique_ptr<QrBitmap> bitmap;
    if (const Status s = RenderSymbol(ctx, bitmap); s != Status::kOk)
        return s;
    out = bitmap.release();
    return Status::kOk;
}

void StartSymbols(QrEncodeContext& ctx)
{
    ctx.blocks = MakeBlockLayout(ctx.symbol);
    ctx.blockStorage.assign(static_cast<size_t>(ctx.blocks.storageSize), 0);
    ctx.cursorSegment = 0;
    ctx.cursorCharacter = 0;
}

// Writes and renders every symbol of a prepared context; on success hands the
// array to the caller and reports the version and level used.
Status MakeSymbols(QrEncodeContext& ctx, int32_t symbolCount, QrBitmap*** outBitmaps, QrEncodeParams* params)
{
    BitmapArray result(symbolCount);
    if (result.items == nullptr)
        return Status::kOutOfMemory;
    StartSymbols(ctx);
    for (int32_t i = 0; i < symbolCount; ++i) {
        if (const Status s = MakeSymbol(ctx, i, symbolCount, result.items[i]); s != Status::kOk)
            return s;
    }
    *outBitmaps = result.Release();
    params->version = ctx.symbol.version;
    params->level = ctx.symbol.level;
    return Status::kOk;
}

// Points the context at `length` bytes of UTF-8 text.
void SetUtf8Text(QrEncodeContext& ctx, const char* text, int32_t length, const QrEncodeParams& params)
{
    ctx.text = reinterpret_cast<const uint8_t*>(text);
    ctx.textLength = length;
    ctx.request = QrSymbolSpec{};
    ctx.request.version = params.version;
    ctx.request.level = params.level;
}

}  // namespace

Status PrepareSymbols(QrEncodeContext& ctx, int32_t symbolCount)
{
    Result<int32_t> analysis = AnalyseText(ctx, symbolCount);
    if (analysis.status == Status::kSplitImpossible) {
        // Fewer characters than symbols: every byte on its own may be enough.
        ctx.byteOnly = true;
        analysis = AnalyseText(ctx, symbolCount);
    }
    if (!analysis.Ok())
        return analysis.status;

    int32_t choiceBits = 0;
    if (const Status s = DivideAndMeasure(ctx, analysis.value, symbolCount, choiceBits); s != Status::kOk)
        return s;
    if (const Status s = ChooseFitting(ctx, choiceBits, symbolCount); s != Status::kDataTooLong)
        return s;

    // Byte-only retry: the whole text as bytes must fit one symbol of version 15
    // or less. A divided text is divided anew, so that the quotas count the same
    // characters as the byte segments.
    ctx.byteOnly = true;
    analysis = AnalyseText(ctx, symbolCount);
    if (!analysis.Ok())
        return analysis.status;
    if (symbolCount > 1) {
        int32_t unused = 0;
        if (const Status s = DivideAndMeasure(ctx, analysis.value, symbolCount, unused); s != Status::kOk)
            return s;
    }
    return ChooseFitting(ctx, analysis.value, symbolCount);
}

Status QrEncode(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps, QrEncodeParams* params)
{
    if (text == nullptr || length == 0 || outBitmaps == nullptr || *outBitmaps != nullptr || params == nullptr ||
        !ValidSymbolCount(symbolCount) || !ValidRequest(*params)) {
        return Status::kBadArgument;
    }
    QrEncodeContext ctx;
    if (!SetText(ctx, text, *params))
        return Status::kDataTooLong;
    if (const Status s = PrepareSymbols(ctx, symbolCount); s != Status::kOk)
        return s;
    if (symbolCount > 1)
        ctx.parity = Parity(text);
    return MakeSymbols(ctx, symbolCount, outBitmaps, params);
}

Status QrEncode2(const char* const* texts, int32_t textCount, QrBitmap*** outBitmaps, QrEncodeParams* params,
                 int32_t* failedIndex)
{
    if (texts == nullptr || textCount < 1 || texts[0] == nullptr || outBitmaps == nullptr || *outBitmaps != nullptr ||
        params == nullptr || failedIndex == nullptr || !ValidRequest(*params)) {
        return Status::kBadArgument;
    }
    BitmapArray result(textCount);
    if (result.items == nullptr)
        return Status::kOutOfMemory;
    QrEncodeContext ctx;
    for (int32_t i = 0; i < textCount; ++i) {
        Status s = texts[i] == nullptr               ? Status::kBadArgument
                   : SetText(ctx, texts[i], *params) ? Status::kOk
                                                     : Status::kDataTooLong;
        ctx.byteOnly = false;
        if (s == Status::kOk)
            s = PrepareSymbols(ctx, 1);
        if (s == Status::kOk) {
            StartSymbols(ctx);
            s = MakeSymbol(ctx, 0, 1, result.items[i]);
        }
        if (s != Status::kOk) {
            *failedIndex = i;
            return s;
        }
    }
    *outBitmaps = result.Release();
    params->version = ctx.symbol.version;
    params->level = ctx.symbol.level;
    return Status::kOk;
}

Result<int32_t> GetAvailableLength(const int32_t* versionLevel)
{
    if (versionLevel == nullptr)
        return Status::kBadArgument;
    const QrVersionRow* row = FindVersionRow(versionLevel[0], versionLevel[1]);
    if (row == nullptr)
        return Status::kBadArgument;
    return row->kanjiCapacity;
}

Result<int32_t> GetAvailableVersion(int32_t printWidth, int32_t cellSizeIndex, int32_t* outVersion)
{
    if (outVersion == nullptr || cellSizeIndex < 0 || cellSizeIndex >= static_cast<int32_t>(kCellSizes.size()))
        return Status::kBadArgument;
    const int32_t modules = printWidth / kCellSizes[static_cast<size_t>(cellSizeIndex)];
    if (modules < 4 * kMinVersion + 17 + 8)
        return Status::kBadArgument;
    int32_t version = (modules - 25) / 4;
    if (version > kMaxEncodeVersion)
        version = kMaxEncodeVersion;
    outVersion[0] = version;
    outVersion[1] = 0;
    return FindVersionRow(version, kLevelM)->kanjiCapacity;
}

Status GetCodeInfo(const char* text, int32_t symbolCount, QrEncodeParams* params)
{
    if (text == nullptr || params == nullptr || !ValidSymbolCount(symbolCount) || !ValidRequest(*params))
        return Status::kBadArgument;
    if (*text == '\0') {
        params->version = 1;
        params->level = kLevelM;
        return Status::kOk;
    }
    QrEncodeContext ctx;
    if (!SetText(ctx, text, *params))
        return Status::kDataTooLong;
    const Result<int32_t> analysis = AnalyseText(ctx, symbolCount);
    if (!analysis.Ok())
        return analysis.status;
    const int32_t bits = symbolCount > 1 ? analysis.value / symbolCount : analysis.value;
    if (const Status s = Choose(ctx, ctx.request, bits); s != Status::kOk)
        return s;
    if (ctx.symbol.version > kMaxEncodeVersion)
        return Status::kDataTooLong;
    params->version = ctx.symbol.version;
    params->level = ctx.symbol.level;
    return Status::kOk;
}

Status QrEncodeUtf8(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                    QrEncodeParams* params)
{
    if (text == nullptr || length < 1 || outBitmaps == nullptr || *outBitmaps != nullptr || params == nullptr ||
        !ValidSymbolCount(symbolCount) || !ValidRequest(*params)) {
        return Status::kBadArgument;
    }
    QrEncodeContext ctx;
    SetUtf8Text(ctx, text, length, *params);
    if (const Status s = PrepareUtf8Symbols(ctx, symbolCount); s != Status::kOk)
        return s;
    return MakeSymbols(ctx, symbolCount, outBitmaps, params);
}

Result<int32_t> GetCodeInfoUtf8(const char* text, int32_t length, int32_t symbolCount, QrEncodeParams* params)
{
    if (text == nullptr || length < 0 || params == nullptr || !ValidSymbolCount(symbolCount) || !ValidRequest(*params))
        return Status::kBadArgument;
    if (length == 0) {
        params->version = params->version == 0 ? kMinVersion : params->version;
        params->level = NormalizeLevel(params->level);
        return 0;
    }
    QrEncodeContext ctx;
    SetUtf8Text(ctx, text, length, *params);
    if (const Status s = PrepareUtf8Symbols(ctx, symbolCount); s != Status::kOk)
        return s;
    const int32_t bits = LargestSymbolBits(ctx, symbolCount, ctx.symbol.version).value;
    const int32_t capacity = ctx.symbol.dataCodewords * 8;
    params->version = ctx.symbol.version;
    params->level = ctx.symbol.level;
    return (100 * bits + capacity - 1) / capacity;
}

Result<int32_t> GetAvailableBytesUtf8(const int32_t* versionLevel, int32_t symbolCount)
{
    if (versionLevel == nullptr)
        return Status::kBadArgument;
    return Utf8ByteCapacity(versionLevel[0], versionLevel[1], symbolCount);
}

}  // namespace tavoqr
