// libFuzzer target for the engine's C interface. The input chooses the call:
//   byte 0   bits 0..3: symbol count N - 1 (1..16); bit 7: call QrEncode2
//            instead, with the texts separated by zero bytes; else bit 6:
//            call QrEncodeUtf8 and GetCodeInfoUtf8 with all of the rest
//   byte 1   requested version, modulo 16 (0 automatic, 1..15)
//   byte 2   requested level, modulo 5 (0 default, 1..4)
//   the rest the text, up to its first zero byte (UTF-8: zero bytes and all)
// Any status is allowed; a success must hand back symbols that zxing-cpp
// (and, for single symbols, zbar; as text for UTF-8) read back to exactly the
// text, UTF-8 symbols each well-formed UTF-8 on its own, and nothing may crash
// or leak (ASan, UBSan and LeakSanitizer watch).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "decoders.h"
#include "tavoqrenc.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "engine failure: %s\n  %s\n", what, nubora::peers::Printable(detail).c_str());
    std::abort();
}

bool IsStatus(int32_t status)
{
    switch (status) {
    case TAVOQRENC_E_DATA_TOO_LONG:
    case TAVOQRENC_E_BAD_ARGUMENT:
    case TAVOQRENC_E_OUT_OF_MEMORY:
    case TAVOQRENC_E_CONTEXT:
    case TAVOQRENC_E_SPLIT_IMPOSSIBLE:
    case TAVOQRENC_E_BAD_TEXT: return true;
    default: return false;
    }
}

// Checks the version and level a successful call reports against the request.
void CheckParams(const QrEncodeParams& request, const QrEncodeParams& used, const std::string& text)
{
    const int32_t level = request.level == 0 ? TAVOQRENC_LEVEL_M : request.level;
    if (used.level != level)
        Fail("another level than requested", text);
    if (used.version < 1 || used.version > 15)
        Fail("version outside 1..15", text);
    if (request.version != 0 && used.version != request.version)
        Fail("another version than requested", text);
}

// Reads one symbol with zxing-cpp; returns its bytes.
nubora::peers::ZxingReading Read(const QrBitmap* bitmap, int32_t version, const std::string& text)
{
    if (TavoQREnc_GetBitmapSide(bitmap) != 4 * version + 25)
        Fail("bitmap side does not match the version", text);
    const auto reading = nubora::peers::ReadWithZxing(nubora::peers::RenderGrey(bitmap));
    if (!reading.valid)
        Fail(("zxing cannot read the symbol: " + reading.error).c_str(), text);
    return reading;
}

void FuzzEncode(const std::string& text, int32_t count, QrEncodeParams request, bool utf8)
{
    QrBitmap** symbols = nullptr;
    QrEncodeParams used = request;
    const auto length = static_cast<int32_t>(text.size());
    const int32_t status = utf8 ? TavoQREnc_QrEncodeUtf8(text.data(), length, count, &symbols, &used)
                                : TavoQREnc_QrEncode(text.c_str(), length, count, &symbols, &used);
    QrEncodeParams info = request;
    const int32_t infoStatus = utf8 ? TavoQREnc_GetCodeInfoUtf8(text.data(), length, count, &info) : status;
    if (utf8 && !text.empty() &&
        (status == TAVOQRENC_OK ? infoStatus <= 0 || info.version != used.version : infoStatus != status))
        Fail("the information call disagrees with the encoding", text);
    if (status != TAVOQRENC_OK) {
        if (!IsStatus(status))
            Fail("undocumented status", text);
        if (symbols != nullptr)
            Fail("symbols returned with a failure", text);
        return;
    }
    if (symbols == nullptr)
        Fail("success without symbols", text);
    CheckParams(request, used, text);

    const std::string parity = std::to_string(nubora::peers::Parity(text));
    std::string joined;
    for (int32_t i = 0; i < count; ++i) {
        const auto reading = Read(symbols[i], used.version, text);
        if (utf8 && reading.text != reading.bytes)
            Fail("a UTF-8 symbol that does not read as UTF-8 on its own", reading.bytes);
        if (count == 1) {
            if (reading.bytes != text)
                Fail("zxing reads other bytes", reading.bytes);
            if (reading.sequenceIndex != -1)
                Fail("single symbol with a structured-append header", text);
            const auto zb = nubora::peers::ReadWithZbar(nubora::peers::RenderGrey(symbols[i]), utf8);
            if (zb.size() != 1 || zb[0] != text)
                Fail("zbar cannot read the symbol back", text);
        } else {
            if (reading.sequenceIndex != i || reading.sequenceSize != count || reading.sequenceId != parity)
                Fail("wrong structured-append header", text);
            joined += reading.bytes;
        }
    }
    if (count > 1 && joined != text)
        Fail("the parts do not join to the text", joined);
    TavoQREnc_FreeBitmaps(symbols, count);
}

void FuzzEncode2(const std::vector<std::string>& texts, QrEncodeParams request)
{
    std::vector<const char*> pointers;
    for (const std::string& t : texts)
        pointers.push_back(t.c_str());
    const auto count = static_cast<int32_t>(texts.size());
    QrBitmap** symbols = nullptr;
    QrEncodeParams used = request;
    int32_t failedIndex = -1;
    const int32_t status = TavoQREnc_QrEncode2(pointers.data(), count, &symbols, &used, &failedIndex);
    if (status != TAVOQRENC_OK) {
        if (!IsStatus(status))
            Fail("undocumented status from QrEncode2", texts[0]);
        if (symbols != nullptr)
            Fail("symbols returned with a failure of QrEncode2", texts[0]);
        return;
    }
    if (symbols == nullptr)
        Fail("QrEncode2 success without symbols", texts[0]);
    CheckParams(request, used, texts.back());
    for (int32_t i = 0; i < count; ++i) {
        // Every symbol has the requested level; the version may differ per text.
        const int32_t version = (TavoQREnc_GetBitmapSide(symbols[i]) - 25) / 4;
        const auto reading = Read(symbols[i], version, texts[static_cast<size_t>(i)]);
        if (reading.bytes != texts[static_cast<size_t>(i)])
            Fail("QrEncode2: zxing reads other bytes", reading.bytes);
    }
    TavoQREnc_FreeBitmaps(symbols, count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const QrEncodeParams request{data[1] % 16, data[2] % 5};
    const char* rest = reinterpret_cast<const char*>(data + 3);
    const size_t restSize = size - 3;

    if ((data[0] & 0x80) == 0) {
        const int32_t count = 1 + (data[0] & 0x0F);
        const bool utf8 = (data[0] & 0x40) != 0;
        FuzzEncode(std::string(rest, utf8 ? restSize : strnlen(rest, restSize)), count, request, utf8);
        return 0;
    }
    std::vector<std::string> texts;
    for (size_t at = 0; at <= restSize && texts.size() < 16;) {
        const size_t length = strnlen(rest + at, restSize - at);
        texts.emplace_back(rest + at, length);
        at += length + 1;
    }
    FuzzEncode2(texts, request);
    return 0;
}
