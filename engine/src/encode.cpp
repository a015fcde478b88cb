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

namespace tavoqr {
namespace {

// Module sizes of the cell size indices 0..7, in hundredths of a millimetre.
constexpr std::array<int32_t, 8> kCellSizes = {25, 30, 35, 40, 45, 50, 55, 60};
// Allowance per symbol for its structured-append header and segment headers.
constexpr int32_t kSymbolAllowanceBits = 44;

bool ValidRequest(const QrEncodeParams& params) {
    return params.version >= 0 && params.version <= kMaxEncodeVersion && params.level >= 0 &&
           params.level <= kLevelH;
}

bool ValidSymbolCount(int32_t symbolCount) { return symbolCount >= 1 && symbolCount <= kMaxSymbolCount; }

// Points the context at a text; false when it is too long to measure in 32 bits.
bool SetText(QrEncodeContext& ctx, const char* text, const QrEncodeParams& params) {
    const size_t length = std::strlen(text);
    if (length > static_cast<size_t>(INT32_MAX / 16)) return false;
    ctx.text = reinterpret_cast<const uint8_t*>(text);
    ctx.textLength = static_cast<int32_t>(length);
    ctx.request = QrSymbolSpec{};
    ctx.request.version = params.version;
    ctx.request.level = params.level;
    return true;
}

// Analysis result as an encode status: bits > 0, or -301 / -306.
int32_t AnalysisStatus(int32_t bits) { return bits > 0 ? bits : bits == -306 ? -306 : -301; }

// The structured-append division and the bits one symbol must hold.
int32_t DivideAndMeasure(QrEncodeContext& ctx, int32_t bits, int32_t symbolCount, int32_t& choiceBits) {
    if (symbolCount == 1) {
        choiceBits = bits;
        return 0;
    }
    const int32_t budget = bits + kSymbolAllowanceBits * symbolCount;
    if (Divide(ctx, budget, symbolCount) != 0) return -306;
    choiceBits = (budget + ctx.overflowBits) / symbolCount;
    return 0;
}

// Choose, then make sure every symbol's exact content fits; > 15 counts as -301.
int32_t ChooseFitting(QrEncodeContext& ctx, int32_t bits, int32_t symbolCount) {
    if (const int32_t rc = Choose(ctx, ctx.request, bits); rc != 0) return rc;
    if (ctx.symbol.version > kMaxEncodeVersion) return -301;
    if (const int32_t rc = FitLargestSymbol(ctx, ctx.request, symbolCount); rc != 0) return rc;
    return ctx.symbol.version > kMaxEncodeVersion ? -301 : 0;
}

// Owns the result array until it is handed to the caller.
struct BitmapArray {
    QrBitmap** items = nullptr;
    int32_t count = 0;

    explicit BitmapArray(int32_t n) : items(static_cast<QrBitmap**>(std::calloc(static_cast<size_t>(n), sizeof(QrBitmap*)))), count(n) {}
    BitmapArray(const BitmapArray&) = delete;
    BitmapArray& operator=(const BitmapArray&) = delete;
    ~BitmapArray() { TavoQREnc_FreeBitmaps(items, count); }
    QrBitmap** Release() { return std::exchange(items, nullptr); }
};

// Steps 8 and 9 for symbol `index` of `symbolCount`: data codewords, then the bitmap.
int32_t MakeSymbol(QrEncodeContext& ctx, int32_t index, int32_t symbolCount, QrBitmap*& out) {
    if (const int32_t rc = WriteSymbolData(ctx, index, symbolCount); rc != 0) return rc;
    std::unique_ptr<QrBitmap> bitmap;
    if (const int32_t rc = RenderSymbol(ctx, bitmap); rc != 0) return rc;
    out = bitmap.release();
    return 0;
}

void StartSymbols(QrEncodeContext& ctx) {
    ctx.blocks = MakeBlockLayout(ctx.symbol);
    ctx.blockStorage.assign(static_cast<size_t>(ctx.blocks.storageSize), 0);
    ctx.cursorSegment = 0;
    ctx.cursorCharacter = 0;
}

}  // namespace

int32_t PrepareSymbols(QrEncodeContext& ctx, int32_t symbolCount) {
    int32_t bits = Analyse(ctx, symbolCount);
    if (bits == -306) {
        // Fewer characters than symbols: every byte on its own may be enough.
        ctx.byteOnly = true;
        bits = Analyse(ctx, symbolCount);
    }
    bits = AnalysisStatus(bits);
    if (bits < 0) return bits;

    int32_t choiceBits = 0;
    if (const int32_t rc = DivideAndMeasure(ctx, bits, symbolCount, choiceBits); rc != 0) return rc;
    const int32_t rc = ChooseFitting(ctx, choiceBits, symbolCount);
    if (rc != -301) return rc;

    // Byte-only retry: the whole text as bytes must fit one symbol of version 15
    // or less. A divided text is divided anew, so that the quotas count the same
    // characters as the byte segments.
    ctx.byteOnly = true;
    bits = AnalysisStatus(Analyse(ctx, symbolCount));
    if (bits < 0) return bits;
    if (symbolCount > 1) {
        int32_t unused = 0;
        if (DivideAndMeasure(ctx, bits, symbolCount, unused) != 0) return -306;
    }
    return ChooseFitting(ctx, bits, symbolCount);
}

int32_t QrEncode(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                 QrEncodeParams* params) {
    if (text == nullptr || length == 0 || outBitmaps == nullptr || *outBitmaps != nullptr || params == nullptr ||
        !ValidSymbolCount(symbolCount) || !ValidRequest(*params)) {
        return -302;
    }
    QrEncodeContext ctx;
    if (!SetText(ctx, text, *params)) return -301;
    if (const int32_t rc = PrepareSymbols(ctx, symbolCount); rc != 0) return rc;
    if (symbolCount > 1) ctx.parity = Parity(text);

    BitmapArray result(symbolCount);
    if (result.items == nullptr) return -303;
    StartSymbols(ctx);
    for (int32_t i = 0; i < symbolCount; ++i) {
        if (const int32_t rc = MakeSymbol(ctx, i, symbolCount, result.items[i]); rc != 0) return rc;
    }
    *outBitmaps = result.Release();
    params->version = ctx.symbol.version;
    params->level = ctx.symbol.level;
    return 0;
}

int32_t QrEncode2(const char* const* texts, int32_t textCount, QrBitmap*** outBitmaps, QrEncodeParams* params,
                  int32_t* failedIndex) {
    if (texts == nullptr || textCount < 1 || texts[0] == nullptr || outBitmaps == nullptr ||
        *outBitmaps != nullptr || params == nullptr || failedIndex == nullptr || !ValidRequest(*params)) {
        return -302;
    }
    BitmapArray result(textCount);
    if (result.items == nullptr) return -303;
    QrEncodeContext ctx;
    for (int32_t i = 0; i < textCount; ++i) {
        int32_t rc = texts[i] == nullptr ? -302 : SetText(ctx, texts[i], *params) ? 0 : -301;
        ctx.byteOnly = false;
        if (rc == 0) rc = PrepareSymbols(ctx, 1);
        if (rc == 0) {
            StartSymbols(ctx);
            rc = MakeSymbol(ctx, 0, 1, result.items[i]);
        }
        if (rc != 0) {
            *failedIndex = i;
            return rc;
        }
    }
    *outBitmaps = result.Release();
    params->version = ctx.symbol.version;
    params->level = ctx.symbol.level;
    return 0;
}

int32_t GetAvailableLength(const int32_t* versionLevel) {
    if (versionLevel == nullptr) return -302;
    const QrVersionRow* row = FindVersionRow(versionLevel[0], versionLevel[1]);
    return row == nullptr ? -302 : row->kanjiCapacity;
}

int32_t GetAvailableVersion(int32_t printWidth, int32_t cellSizeIndex, int32_t* outVersion) {
    if (outVersion == nullptr || cellSizeIndex < 0 || cellSizeIndex >= static_cast<int32_t>(kCellSizes.size()))
        return -302;
    const int32_t modules = printWidth / kCellSizes[static_cast<size_t>(cellSizeIndex)];
    if (modules < 4 * kMinVersion + 17 + 8) return -302;
    int32_t version = (modules - 25) / 4;
    if (version > kMaxEncodeVersion) version = kMaxEncodeVersion;
    outVersion[0] = version;
    outVersion[1] = 0;
    return FindVersionRow(version, kLevelM)->kanjiCapacity;
}

int32_t GetCodeInfo(const char* text, int32_t symbolCount, QrEncodeParams* params) {
    if (text == nullptr || params == nullptr || !ValidSymbolCount(symbolCount) || !ValidRequest(*params))
        return -302;
    if (*text == '\0') {
        params->version = 1;
        params->level = kLevelM;
        return 0;
    }
    QrEncodeContext ctx;
    if (!SetText(ctx, text, *params)) return -301;
    int32_t bits = AnalysisStatus(Analyse(ctx, symbolCount));
    if (bits < 0) return bits;
    if (symbolCount > 1) bits /= symbolCount;
    if (const int32_t rc = Choose(ctx, ctx.request, bits); rc != 0) return rc;
    if (ctx.symbol.version > kMaxEncodeVersion) return -301;
    params->version = ctx.symbol.version;
    params->level = ctx.symbol.level;
    return 0;
}

}  // namespace tavoqr
