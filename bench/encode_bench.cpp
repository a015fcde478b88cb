// Encoding speed of the engine beside libqrencode, on the same payloads in the
// same process: contact cards, mails, Japanese free text and digits that both
// put into symbols of version 1, 5, 10 and 15 at level M.
//
//   nubora_bench                       Google Benchmark: symbols per second of
//                                      each engine and, from one interleaved
//                                      run, their ratio, per version
//   nubora_bench --count ENGINE V [R]  encode the version-V workload R times
//                                      (default 20) with ENGINE ("engine" or
//                                      "libqrencode") and nothing else inside
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

using Encoder = bool (*)(const std::string&);

bool CheckWorkload(benchmark::State& state, int version)
{
    if (Payloads(version).empty()) {
        state.SkipWithError("no payloads for this version");
        return false;
    }
    return true;
}

void EncodeAll(benchmark::State& state, Encoder encode)
{
    const int version = static_cast<int>(state.range(0));
    if (!CheckWorkload(state, version))
        return;
    const std::vector<std::string>& payloads = Payloads(version);
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

// Both engines in turn on every payload of the same iteration, so that drifts
// of the machine's speed hit both alike; speedup > 1 means the engine is faster.
void Ratio(benchmark::State& state)
{
    const int version = static_cast<int>(state.range(0));
    if (!CheckWorkload(state, version))
        return;
    const std::vector<std::string>& payloads = Payloads(version);
    using Clock = std::chrono::steady_clock;
    Clock::duration ours{};
    Clock::duration theirs{};
    for (auto _ : state) {
        for (const std::string& text : payloads) {
            const auto t0 = Clock::now();
            const bool a = EncodeWithEngine(text);
            const auto t1 = Clock::now();
            const bool b = EncodeWithLibqrencode(text);
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

void Versions(benchmark::internal::Benchmark* b)
{
    b->ArgName("version");
    for (const int v : nubora::bench::kVersions)
        b->Arg(v);
}

BENCHMARK(Engine)->Apply(Versions);
BENCHMARK(Libqrencode)->Apply(Versions);
BENCHMARK(Ratio)->Apply(Versions);

// Callgrind driver: the workload is built and every code path warmed up
// before collection starts, so the count holds only the R rounds of encoding.
int Count(const char* engine, int version, int rounds)
{
    const Encoder encode = std::strcmp(engine, "libqrencode") == 0 ? EncodeWithLibqrencode
                           : std::strcmp(engine, "engine") == 0    ? EncodeWithEngine
                                                                   : nullptr;
    const std::vector<std::string>& payloads = Payloads(version);
    if (encode == nullptr || payloads.empty() || rounds < 1) {
        std::fprintf(stderr, "usage: nubora_bench --count engine|libqrencode 1|5|10|15 [rounds]\n");
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
        std::fprintf(stderr, "version %2d: %zu payloads\n", v, Payloads(v).size());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
