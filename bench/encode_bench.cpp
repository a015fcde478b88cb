// Encoding speed of the engine beside libqrencode, on the same payloads in the
// same process: contact cards, mails, Japanese free text and digits that both
// put into symbols of version 1, 5, 10 and 15 at level M; once in Shift-JIS
// (the engine beside libqrencode with the Kanji hint), once in UTF-8 (the
// engine's UTF-8 encoder beside libqrencode's 8-bit mode).
//
//   nubora_bench                       Google Benchmark: symbols per second of
//                                      each engine and, from one interleaved
//                                      run, their ratio, per version
//   nubora_bench --count ENGINE V [R]  encode the version-V workload R times
//                                      (default 20) with ENGINE ("engine",
//                                      "libqrencode", "engine-utf8" or
//                                      "libqrencode-8bit") and nothing else inside
//                                      callgrind's collection window; see
//                                      bench/callgrind.sh
#include <benchmark/benchmark.h>
#include <qrencode.h>
#include <valgrind/callgrind.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tavoqrenc.h"
#include "workload.h"

namespace {

using nubora::bench::Payloads;

// One symbol with the engine, as the application asks for it: automatic
// version, level M, one symbol. Returns false when the engine refuses.
bool EncodeWithEngine(const std::string& text)
{
    QrBitmap** symbols = nullptr;
    QrEncodeParams params{0, TAVOQRENC_LEVEL_M};
    if (TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), 1, &symbols, &params) != TAVOQRENC_OK)
        return false;
    benchmark::DoNotOptimize(TavoQREnc_GetBitmapBits(symbols[0], nullptr));
    TavoQREnc_FreeBitmaps(symbols, 1);
    return true;
}

// The same with libqrencode: Kanji hint, level M, automatic version, case-sensitive.
bool EncodeWithLibqrencode(const std::string& text)
{
    QRcode* code = QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_KANJI, 1);
    if (code == nullptr)
        return false;
    benchmark::DoNotOptimize(code->data);
    QRcode_free(code);
    return true;
}

// UTF-8 text with the engine: ECI 26, automatic version, level M, one symbol.
bool EncodeUtf8WithEngine(const std::string& text)
{
    QrBitmap** symbols = nullptr;
    QrEncodeParams params{0, TAVOQRENC_LEVEL_M};
    if (TavoQREnc_QrEncodeUtf8(text.data(), static_cast<int32_t>(text.size()), 1, &symbols, &params) != TAVOQRENC_OK)
        return false;
    benchmark::DoNotOptimize(TavoQREnc_GetBitmapBits(symbols[0], nullptr));
    TavoQREnc_FreeBitmaps(symbols, 1);
    return true;
}

// The same bytes with libqrencode in 8-bit mode, level M, automatic version.
bool Encode8bitWithLibqrencode(const std::string& text)
{
    QRcode* code = QRcode_encodeData(static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()),
                                     0, QR_ECLEVEL_M);
    if (code == nullptr)
        return false;
    benchmark::DoNotOptimize(code->data);
    QRcode_free(code);
    return true;
}

using Encoder = bool (*)(const std::string&);
using Workload = const std::vector<std::string>& (*)(int);

bool CheckWorkload(benchmark::State& state, const std::vector<std::string>& payloads)
{
    if (payloads.empty()) {
        state.SkipWithError("no payloads for this version");
        return false;
    }
    return true;
}

void EncodeAll(benchmark::State& state, Encoder encode, Workload workload = Payloads)
{
    const std::vector<std::string>& payloads = workload(static_cast<int>(state.range(0)));
    if (!CheckWorkload(state, payloads))
        return;
    for (auto _ : state) {
        for (const std::string& text : payloads) {
            if (!encode(text)) {
                state.SkipWithError("encoding failed");
                return;
            }
        }
    }
    const auto symbols = static_cast<double>(state.iterations()) * static_cast<double>(payloads.size());
    state.counters["symbols/s"] = benchmark::Counter(symbols, benchmark::Counter::kIsRate);
    state.counters["payloads"] = static_cast<double>(payloads.size());
}

void Engine(benchmark::State& state) { EncodeAll(state, EncodeWithEngine); }
void Libqrencode(benchmark::State& state) { EncodeAll(state, EncodeWithLibqrencode); }
void EngineUtf8(benchmark::State& state) { EncodeAll(state, EncodeUtf8WithEngine, nubora::bench::Utf8Payloads); }
void Libqrencode8bit(benchmark::State& state)
{
    EncodeAll(state, Encode8bitWithLibqrencode, nubora::bench::Utf8Payloads);
}

// Both engines in turn on every payload of the same iteration, so that drifts
// of the machine's speed hit both alike; speedup > 1 means the engine is faster.
void CompareOn(benchmark::State& state, Workload workload, Encoder ourEncode, Encoder theirEncode)
{
    const std::vector<std::string>& payloads = workload(static_cast<int>(state.range(0)));
    if (!CheckWorkload(state, payloads))
        return;
    using Clock = std::chrono::steady_clock;
    Clock::duration ours{};
    Clock::duration theirs{};
    for (auto _ : state) {
        for (const std::string& text : payloads) {
            const auto t0 = Clock::now();
            const bool a = ourEncode(text);
            const auto t1 = Clock::now();
            const bool b = theirEncode(text);
            const auto t2 = Clock::now();
            if (!a || !b) {
                state.SkipWithError("encoding failed");
                return;
            }
            ours += t1 - t0;
            theirs += t2 - t1;
        }
    }
    const auto symbols = static_cast<double>(state.iterations()) * static_cast<double>(payloads.size());
    const double oursSeconds = std::chrono::duration<double>(ours).count();
    const double theirsSeconds = std::chrono::duration<double>(theirs).count();
    state.counters["engine_sym/s"] = symbols / oursSeconds;
    state.counters["libqrencode_sym/s"] = symbols / theirsSeconds;
    state.counters["speedup"] = theirsSeconds / oursSeconds;
}

// Shift-JIS payloads: the engine beside libqrencode with the Kanji hint.
void Ratio(benchmark::State& state) { CompareOn(state, Payloads, EncodeWithEngine, EncodeWithLibqrencode); }
// UTF-8 payloads: the engine's UTF-8 encoder beside libqrencode's 8-bit mode.
void RatioUtf8(benchmark::State& state)
{
    CompareOn(state, nubora::bench::Utf8Payloads, EncodeUtf8WithEngine, Encode8bitWithLibqrencode);
}

void Versions(benchmark::internal::Benchmark* b)
{
    b->ArgName("version");
    for (const int v : nubora::bench::kVersions)
        b->Arg(v);
}

BENCHMARK(Engine)->Apply(Versions);
BENCHMARK(Libqrencode)->Apply(Versions);
BENCHMARK(Ratio)->Apply(Versions);
BENCHMARK(EngineUtf8)->Apply(Versions);
BENCHMARK(Libqrencode8bit)->Apply(Versions);
BENCHMARK(RatioUtf8)->Apply(Versions);

// Callgrind driver: the workload is built and every code path warmed up
// before collection starts, so the count holds only the R rounds of encoding.
int Count(const char* engine, int version, int rounds)
{
    struct Named {
        const char* name;
        Encoder encode;
        Workload workload;
    };
    static constexpr Named kEncoders[] = {
        {"engine", EncodeWithEngine, Payloads},
        {"libqrencode", EncodeWithLibqrencode, Payloads},
        {"engine-utf8", EncodeUtf8WithEngine, nubora::bench::Utf8Payloads},
        {"libqrencode-8bit", Encode8bitWithLibqrencode, nubora::bench::Utf8Payloads},
    };
    Encoder encode = nullptr;
    Workload workload = Payloads;
    for (const Named& named : kEncoders)
        if (std::strcmp(engine, named.name) == 0) {
            encode = named.encode;
            workload = named.workload;
        }
    const std::vector<std::string>& payloads = workload(version);
    if (encode == nullptr || payloads.empty() || rounds < 1) {
        std::fprintf(
            stderr, "usage: nubora_bench --count engine|libqrencode|engine-utf8|libqrencode-8bit 1|5|10|15 [rounds]\n");
        return 2;
    }
    for (const std::string& text : payloads)
        if (!encode(text)) {
            std::fprintf(stderr, "%s cannot encode a version %d payload\n", engine, version);
            return 1;
        }
    CALLGRIND_TOGGLE_COLLECT;
    for (int r = 0; r < rounds; ++r)
        for (const std::string& text : payloads)
            encode(text);
    CALLGRIND_TOGGLE_COLLECT;
    std::printf("symbols %zu\n", payloads.size() * static_cast<size_t>(rounds));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--count") == 0)
        return Count(argv[2], std::atoi(argv[3]), argc >= 5 ? std::atoi(argv[4]) : 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    for (const int v : nubora::bench::kVersions)
        std::fprintf(stderr, "version %2d: %zu payloads, %zu in UTF-8\n", v, Payloads(v).size(),
                     nubora::bench::Utf8Payloads(v).size());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
