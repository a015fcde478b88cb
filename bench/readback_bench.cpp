// Time of the read-back check the program runs before it shows a code, on its
// largest case: a payload that fills a structured-append sequence of 16
// symbols of version 15 at level M.
//
//   nubora_readback_bench   Google Benchmark: milliseconds per whole check
#include <benchmark/benchmark.h>

#include <string>

#include "nubora/logic/symbol_bitmaps.h"
#include "nubora/logic/symbol_readback.h"
#include "tavoqrenc.h"

namespace {

constexpr int kSymbols = 16;
constexpr int kVersion = 15;

// One line of a Japanese contact list: a running number, 山田太郎,
// 東京都千代田区 (Kanji mode), ｱｲｳ (byte mode) and a telephone number.
std::string Line(int number)
{
    return std::to_string(number) +
           ":\x8e\x52\x93\x63\x91\xbe\x98\x59 \x93\x8c\x8b\x9e\x93\x73\x90\xe7\x91\xe3\x93\x63"
           "\x8b\xe6 \xb1\xb2\xb3 0312345678\r\n";
}

// Encodes `text` as the sequence into `symbols`; false when it does not fit.
bool Encode(const std::string& text, nubora::SymbolBitmaps& symbols)
{
    QrEncodeParams params{kVersion, TAVOQRENC_LEVEL_M};
    QrBitmap** bitmaps = nullptr;
    if (TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), kSymbols, &bitmaps, &params) !=
        TAVOQRENC_OK)
        return false;
    symbols.Adopt(bitmaps, kSymbols);
    return true;
}

// The longest run of lines the sequence holds, and its symbols.
std::string FillSequence(nubora::SymbolBitmaps& symbols)
{
    std::string text;
    for (int number = 1;; ++number) {
        const std::string longer = text + Line(number);
        nubora::SymbolBitmaps trial;
        if (!Encode(longer, trial))
            break;
        text = longer;
    }
    if (text.empty() || !Encode(text, symbols))
        return {};
    return text;
}

void ReadBackSixteenVersion15(benchmark::State& state)
{
    nubora::SymbolBitmaps symbols;
    const std::string payload = FillSequence(symbols);
    if (payload.empty() || !nubora::ReadsBackAs(symbols, payload)) {
        state.SkipWithError("the sequence cannot be encoded or does not read back");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(nubora::ReadsBackAs(symbols, payload));
    state.counters["payload_bytes"] = static_cast<double>(payload.size());
    state.counters["symbols/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kSymbols,
                                                     benchmark::Counter::kIsRate);
}

BENCHMARK(ReadBackSixteenVersion15)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
