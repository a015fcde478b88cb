// Address-book rows written as PNG files, three ways on the same rows:
// nubora-qr --batch (every symbol read back before it is written), the
// qrencode command-line tool started once a row, and libqrencode in this
// process with the same PNG writer (one thread, flushed once at the end as
// nubora-qr does). Rows per second of each.
//
//   nubora_batch_bench [--benchmark_filter=…]   Google Benchmark, one pass each
#include <benchmark/benchmark.h>
#include <qrencode.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "nubora/logic/address_book_text.h"
#include "nubora/logic/symbol_files.h"
#include "tavoqrenc.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 10000;
constexpr int kModulePixels = 3;
constexpr double kCellMm = 0.25;

// One row in UTF-8 (for the CSV) and as the screens hold it (CP932).
struct Row {
    std::string csv;
    nubora::AddressBookEntry entry;
};

// Row `n`: 山田太郎 / ﾔﾏﾀﾞﾀﾛｳ with a running number, two numbers and an
// address, as a contact list holds them.
Row MakeRow(int n)
{
    const std::string number = std::to_string(n);
    Row row;
    row.csv = "山田太郎" + number + ",ﾔﾏﾀﾞﾀﾛｳ,03-1234-" + std::to_string(1000 + n % 9000) + ",090-" + number + ",taro" +
              number + "@example.jp,,東京都千代田区" + number + ",\n";
    row.entry.name = "\x8e\x52\x93\x63\x91\xbe\x98\x59" + number;
    row.entry.reading = "\xd4\xcf\xc0\xde\xc0\xdb\xb3";
    row.entry.tel1 = "03-1234-" + std::to_string(1000 + n % 9000);
    row.entry.tel2 = "090-" + number;
    row.entry.mail1 = "taro" + number + "@example.jp";
    row.entry.address = "\x93\x8c\x8b\x9e\x93\x73\x90\xe7\x91\xe3\x93\x63\x8b\xe6" + number;
    return row;
}

const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = [] {
        std::vector<Row> made;
        for (int n = 1; n <= kRows; ++n)
            made.push_back(MakeRow(n));
        return made;
    }();
    return rows;
}

// A fresh, empty output folder under the system's temporary folder; the
// bench's whole scratch folder goes with it at the end of the benchmark.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* name)
        : root_(fs::temp_directory_path() / ("nubora_batch_bench_" + std::to_string(::getpid()))), path_(root_ / name)
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path root_;
    fs::path path_;
};

void Report(benchmark::State& state, double seconds)
{
    state.SetIterationTime(seconds);
    state.counters["rows/s"] = benchmark::Counter(kRows, benchmark::Counter::kIsRate);
}

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void NuboraQrBatch(benchmark::State& state)
{
    const ScratchFolder scratch("nubora");
    const fs::path& folder = scratch.Path();
    const fs::path csv = folder.parent_path() / "rows.csv";
    {
        std::ofstream out(csv);
        out << "name,reading,tel1,tel2,mail1,mail2,address,memo\n";
        for (const Row& row : Rows())
            out << row.csv;
    }
    for (auto _ : state) {
        const std::string command = std::string(NUBORA_QR) + " --kind address --batch '" + csv.string() +
                                    "' --output-dir '" + folder.string() + "' --format png 2>/dev/null";
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        Report(state, Seconds(start));
        if (status != 0)
            state.SkipWithError("nubora-qr failed");
    }
}

void QrencodeToolPerRow(benchmark::State& state)
{
    const ScratchFolder scratch("qrencode");
    const fs::path& folder = scratch.Path();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        int n = 0;
        for (const Row& row : Rows()) {
            const std::string payload = nubora::AddressBookPayload(row.entry);
            char name[32];
            std::snprintf(name, sizeof name, "%04d.png", ++n);
            const std::string command = "qrencode -l M -s 3 -m 4 -o '" + (folder / name).string() + "'";
            FILE* pipe = ::popen(command.c_str(), "w");
            if (!pipe) {
                state.SkipWithError("qrencode could not be started");
                return;
            }
            std::fwrite(payload.data(), 1, payload.size(), pipe);
            if (::pclose(pipe) != 0) {
                state.SkipWithError("qrencode failed");
                return;
            }
        }
        Report(state, Seconds(start));
    }
}

// libqrencode's symbol as the engine's bitmap layout: quiet zone 4, bit 0 dark.
std::unique_ptr<QrBitmap> AsBitmap(const QRcode& code)
{
    const int side = code.width + 8;
    const int stride = QrBitmap::Stride(side);
    auto* bits = new uint8_t[static_cast<size_t>(side) * stride];
    std::fill_n(bits, static_cast<size_t>(side) * stride, 0xFF);
    for (int y = 0; y < code.width; ++y)
        for (int x = 0; x < code.width; ++x)
            if (code.data[y * code.width + x] & 1)
                bits[(y + 4) * stride + (x + 4) / 8] &= static_cast<uint8_t>(~(0x80 >> ((x + 4) % 8)));
    return std::make_unique<QrBitmap>(side, bits);
}

void LibqrencodeInProcess(benchmark::State& state)
{
    const ScratchFolder scratch("libqrencode");
    const fs::path& folder = scratch.Path();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        int n = 0;
        for (const Row& row : Rows()) {
            const std::string payload = nubora::AddressBookPayload(row.entry);
            QRcode* code = QRcode_encodeString(payload.c_str(), 0, QR_ECLEVEL_M, QR_MODE_KANJI, 1);
            if (!code) {
                state.SkipWithError("libqrencode failed");
                return;
            }
            char name[32];
            std::snprintf(name, sizeof name, "%04d.png", ++n);
            const bool written = nubora::SavePngFile((folder / name).string(), *AsBitmap(*code), kModulePixels, kCellMm,
                                                     nubora::FileSync::Deferred);
            QRcode_free(code);
            if (!written) {
                state.SkipWithError("a PNG could not be written");
                return;
            }
        }
        // Flushed once, as nubora-qr does.
        if (!nubora::FlushFileSystem(folder.string()).Ok())
            state.SkipWithError("the files could not be flushed");
        Report(state, Seconds(start));
    }
}

BENCHMARK(NuboraQrBatch)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(QrencodeToolPerRow)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(LibqrencodeInProcess)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
