// Address-book rows with all eight fields filled (a business card: a
// Japanese name, reading, address and memo, two numbers, two mail addresses)
// written as PNG files, in one run:
//   - nubora-qr --batch, every symbol read back before it is written;
//   - libqrencode in this process with the same PNG writer (one thread,
//     flushed once at the end as nubora-qr does);
//   - the qrencode command-line tool started once a row;
//   - the stages of nubora-qr's work on a row in this process, one thread, no
//     file: encoding, read-back, building the PNG file, drawing the row's
//     business card with its name on a PDF sheet;
//   - the first 1,000 rows by nubora-qr as business-card sheets (meishi-10,
//     --caption name) in one PDF, beside the same rows as PNG files.
// The whole runs write once to the system's temporary folder (the disk) and
// once to /dev/shm (memory), so that the file system's share shows. Counters:
// rows/s of wall time, rows per second of user CPU time (all threads), user
// and system CPU milliseconds a row; v8, v9, v10 the rows on each version (in
// the MEMORY form such a card needs 9 or 10 at level M, even the shortest).
//
//   nubora_batch_bench [--benchmark_filter=…]   Google Benchmark; the whole runs one pass each
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <qrencode.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "nubora/logic/address_book_text.h"
#include "nubora/logic/code_settings.h"
#include "nubora/logic/sheet_pdf.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/logic/symbol_files.h"
#include "nubora/logic/symbol_readback.h"
#include "tavoqrenc.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 2000;
constexpr int kModulePixels = 3;
constexpr double kCellMm = 0.25;
constexpr int kLowestVersion = 8;
constexpr int kHighestVersion = 10;

// --- the rows ------------------------------------------------------------------

// One row in UTF-8 (for the CSV) and as the screens hold it (CP932).
struct Row {
    std::string csv;
    nubora::AddressBookEntry entry;
};

// One half of a name: in kanji, its reading in half-width and in full-width
// katakana, and in Latin letters for the mail addresses.
struct NamePart {
    const char* kanji;
    const char* halfWidth;
    const char* fullWidth;
    const char* latin;
};

constexpr std::array<NamePart, 8> kFamilyNames = {{
    {"山田", "ﾔﾏﾀﾞ", "ヤマダ", "yamada"},
    {"佐藤", "ｻﾄｳ", "サトウ", "sato"},
    {"鈴木", "ｽｽﾞｷ", "スズキ", "suzuki"},
    {"高橋", "ﾀｶﾊｼ", "タカハシ", "takahashi"},
    {"田中", "ﾀﾅｶ", "タナカ", "tanaka"},
    {"渡辺", "ﾜﾀﾅﾍﾞ", "ワタナベ", "watanabe"},
    {"中村", "ﾅｶﾑﾗ", "ナカムラ", "nakamura"},
    {"小林", "ｺﾊﾞﾔｼ", "コバヤシ", "kobayashi"},
}};

constexpr std::array<NamePart, 7> kGivenNames = {{
    {"太郎", "ﾀﾛｳ", "タロウ", "taro"},
    {"花子", "ﾊﾅｺ", "ハナコ", "hanako"},
    {"健一", "ｹﾝｲﾁ", "ケンイチ", "kenichi"},
    {"美咲", "ﾐｻｷ", "ミサキ", "misaki"},
    {"大輔", "ﾀﾞｲｽｹ", "ダイスケ", "daisuke"},
    {"裕子", "ﾕｳｺ", "ユウコ", "yuko"},
    {"翔太", "ｼｮｳﾀ", "ショウタ", "shota"},
}};

constexpr std::array<const char*, 9> kTowns = {
    "横浜市西区",   "京都市中京区",       "大阪市北区梅田", "那覇市",         "東京都千代田区丸の内",
    "福岡市博多区", "札幌市中央区北五条", "仙台市",         "名古屋市中村区",
};

constexpr std::array<const char*, 5> kBuildings = {"山王ビル", "第二中央ビル", "駅前タワー", "本町ビル", "新館"};

constexpr std::array<const char*, 9> kMemos = {
    "顧客",   "営業部　課長",       "友人",   "技術開発本部　第三設計室", "取引先", "海外事業部　主任",
    "経理部", "ヌボラ商事　営業部", "同窓会",
};

constexpr std::array<const char*, 3> kMobileDomains = {"docomo.ne.jp", "ezweb.ne.jp", "i.softbank.jp"};

constexpr std::array<const char*, 4> kDomains = {"nubora.jp", "example.jp", "mail.jp", "kaisha.jp"};

// CP932 bytes of a UTF-8 text (none of the characters used lacks one).
std::string Cp932(const std::string& utf8)
{
    iconv_t cd = ::iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* to = out.data();
    size_t outLeft = out.size();
    const size_t converted = ::iconv(cd, &in, &inLeft, &to, &outLeft);
    ::iconv_close(cd);
    if (converted == static_cast<size_t>(-1))
        std::abort();
    out.resize(out.size() - outLeft);
    return out;
}

std::string Digits(int value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value % 10000);
    return text;
}

// Row `n`: every field filled, the fields drawn from the pools above in
// different strides so that no two rows are alike.
Row MakeRow(int n)
{
    const NamePart& family = kFamilyNames[static_cast<size_t>(n) % kFamilyNames.size()];
    const NamePart& given = kGivenNames[static_cast<size_t>(n / 3) % kGivenNames.size()];
    const std::string fields[] = {
        std::string(family.kanji) + given.kanji,
        n % 3 == 0 ? std::string(family.fullWidth) + "　" + given.fullWidth
                   : std::string(family.halfWidth) + given.halfWidth,
        "03-" + Digits(3000 + n * 7, 4) + "-" + Digits(n, 4),
        "090-" + Digits(1000 + n * 13, 4) + "-" + Digits(n * 31, 4),
        (n % 2 == 0 ? std::string(given.latin) : std::string(1, given.latin[0])) + "." + family.latin + "@" +
            kDomains[static_cast<size_t>(n) % kDomains.size()],
        std::string(given.latin).substr(0, 1 + n % 5) + std::to_string(n % 100) + "@" +
            kMobileDomains[static_cast<size_t>(n / 11) % kMobileDomains.size()],
        std::string(kTowns[static_cast<size_t>(n / 2) % kTowns.size()]) + std::to_string(1 + n % 9) + "-" +
            std::to_string(1 + n % 23) +
            (n % 5 != 0 ? "" : std::string(" ") + kBuildings[static_cast<size_t>(n / 5) % kBuildings.size()]),
        kMemos[static_cast<size_t>(n / 7) % kMemos.size()],
    };
    Row row;
    for (const std::string& field : fields)
        row.csv += (row.csv.empty() ? "" : ",") + field;
    row.csv += "\n";
    row.entry = {Cp932(fields[0]), Cp932(fields[1]), fields[2],        fields[3],
                 fields[4],        fields[5],        Cp932(fields[6]), Cp932(fields[7])};
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

// False, with a message on the benchmark, unless every row lands on a version
// of kLowestVersion..kHighestVersion at level M.
bool RowsAsIntended(benchmark::State& state)
{
    std::array<int, kHighestVersion + 1> perVersion{};
    for (const Row& row : Rows()) {
        const std::string payload = nubora::AddressBookPayload(row.entry);
        QrEncodeParams params{0, TAVOQRENC_LEVEL_M};
        if (TavoQREnc_GetCodeInfo(payload.c_str(), 1, &params) != TAVOQRENC_OK || params.version < kLowestVersion ||
            params.version > kHighestVersion) {
            state.SkipWithError("a row lands outside versions 8 to 10");
            return false;
        }
        ++perVersion[static_cast<size_t>(params.version)];
    }
    for (int v = kLowestVersion; v <= kHighestVersion; ++v)
        state.counters["v" + std::to_string(v)] = perVersion[static_cast<size_t>(v)];
    return true;
}

// --- measuring -------------------------------------------------------------------

enum class Storage { Disk, Memory };

// A fresh, empty output folder on the disk (the system's temporary folder)
// or in memory (/dev/shm); the bench's whole scratch folder there goes with
// it at the end of the benchmark.
class ScratchFolder {
public:
    ScratchFolder(Storage storage, const char* name)
        : root_((storage == Storage::Memory ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                ("nubora_batch_bench_" + std::to_string(::getpid()))),
          path_(root_ / name)
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

// Wall time and the CPU times of this process or of its children.
class Stopwatch {
public:
    explicit Stopwatch(int who, int rows = kRows)
        : who_(who), rows_(rows), start_(std::chrono::steady_clock::now()), cpu_(Cpu())
    {
    }

    // Sets the iteration's time and the counters.
    void Report(benchmark::State& state) const
    {
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const std::array<double, 2> now = Cpu();
        const double user = now[0] - cpu_[0];
        const double system = now[1] - cpu_[1];
        state.SetIterationTime(wall);
        state.counters["rows/s"] = rows_ / wall;
        state.counters["rows/user_s"] = rows_ / user;
        state.counters["user_ms/row"] = user * 1000 / rows_;
        state.counters["sys_ms/row"] = system * 1000 / rows_;
    }

private:
    std::array<double, 2> Cpu() const
    {
        rusage usage{};
        ::getrusage(who_, &usage);
        const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
        return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
    }

    int who_;
    int rows_;
    std::chrono::steady_clock::time_point start_;
    std::array<double, 2> cpu_;
};

// --- the whole runs --------------------------------------------------------------

// What nubora-qr writes: a PNG file a row, or the rows on business-card
// sheets (meishi-10, each card with its name) in one PDF.
enum class Output { PngFiles, CardSheets };

// nubora-qr on the first `rows` rows, into a scratch folder on `storage`.
void RunNuboraQr(benchmark::State& state, Storage storage, int rows, Output output)
{
    if (!RowsAsIntended(state))
        return;
    const ScratchFolder scratch(storage, "nubora");
    const fs::path& folder = scratch.Path();
    const fs::path csv = folder.parent_path() / "rows.csv";
    {
        std::ofstream out(csv);
        out << "name,reading,tel1,tel2,mail1,mail2,address,memo\n";
        for (int i = 0; i < rows; ++i)
            out << Rows()[static_cast<size_t>(i)].csv;
    }
    const std::string target = output == Output::PngFiles
                                   ? " --output-dir '" + folder.string() + "' --format png"
                                   : " --sheet meishi-10 --caption name -o '" + (folder / "cards.pdf").string() + "'";
    for (auto _ : state) {
        const std::string command = std::string(NUBORA_QR) + " --kind address --batch '" + csv.string() + "'" + target +
                                    " 2>/dev/null";
        const Stopwatch stopwatch(RUSAGE_CHILDREN, rows);
        const int status = std::system(command.c_str());
        stopwatch.Report(state);
        if (status != 0)
            state.SkipWithError("nubora-qr failed");
    }
    if (output == Output::CardSheets)
        state.counters["pdf_bytes/row"] = static_cast<double>(fs::file_size(folder / "cards.pdf")) / rows;
}

void NuboraQrBatch(benchmark::State& state, Storage storage) { RunNuboraQr(state, storage, kRows, Output::PngFiles); }

// The thousand rows of a sheet run, beside the same rows as PNG files.
constexpr int kSheetRows = 1000;

void NuboraQrSheets(benchmark::State& state, Storage storage, Output output)
{
    RunNuboraQr(state, storage, kSheetRows, output);
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

void LibqrencodeInProcess(benchmark::State& state, Storage storage)
{
    const ScratchFolder scratch(storage, "libqrencode");
    const fs::path& folder = scratch.Path();
    for (auto _ : state) {
        const Stopwatch stopwatch(RUSAGE_SELF);
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
                                                     nubora::FileSync::Deferred)
                                     .Ok();
            QRcode_free(code);
            if (!written) {
                state.SkipWithError("a PNG could not be written");
                return;
            }
        }
        // Flushed once, as nubora-qr does.
        if (!nubora::FlushFileSystem(folder.string()).Ok())
            state.SkipWithError("the files could not be flushed");
        stopwatch.Report(state);
    }
}

void QrencodeToolPerRow(benchmark::State& state)
{
    const ScratchFolder scratch(Storage::Disk, "qrencode");
    const fs::path& folder = scratch.Path();
    for (auto _ : state) {
        const Stopwatch stopwatch(RUSAGE_CHILDREN);
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
        stopwatch.Report(state);
    }
}

// --- the stages of a row, in this process -------------------------------------------

// Every row's payload and its symbol, encoded as nubora-qr does (level M,
// automatic version).
struct Encoded {
    std::vector<std::string> payloads;
    std::vector<nubora::SymbolBitmaps> symbols;
};

bool Encode(const std::string& payload, nubora::SymbolBitmaps& symbols)
{
    nubora::CodeSettings settings;
    settings.level = TAVOQRENC_LEVEL_M;
    return nubora::EncodeSymbols(payload, settings, symbols).Ok();
}

const Encoded& EncodedRows()
{
    static const Encoded encoded = [] {
        Encoded made;
        made.symbols = std::vector<nubora::SymbolBitmaps>(Rows().size());
        for (size_t i = 0; i < Rows().size(); ++i) {
            made.payloads.push_back(nubora::AddressBookPayload(Rows()[i].entry));
            if (!Encode(made.payloads.back(), made.symbols[i]))
                made.payloads.back().clear();
        }
        return made;
    }();
    return encoded;
}

void PerRow(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["time/row"] = benchmark::Counter(static_cast<double>(state.iterations()) * kRows,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void StageEncode(benchmark::State& state)
{
    const Encoded& rows = EncodedRows();
    for (auto _ : state) {
        for (const std::string& payload : rows.payloads) {
            nubora::SymbolBitmaps symbols;
            benchmark::DoNotOptimize(Encode(payload, symbols));
        }
    }
    PerRow(state);
}

void StageReadBack(benchmark::State& state)
{
    const Encoded& rows = EncodedRows();
    for (auto _ : state) {
        for (size_t i = 0; i < rows.payloads.size(); ++i) {
            if (!nubora::ReadsBackAs(rows.symbols[i], rows.payloads[i]).Ok()) {
                state.SkipWithError("a row does not read back");
                return;
            }
        }
    }
    PerRow(state);
}

void StagePngFile(benchmark::State& state)
{
    const Encoded& rows = EncodedRows();
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const nubora::SymbolBitmaps& symbols : rows.symbols)
            bytes += nubora::BuildPngFile(*symbols.At(0), kModulePixels, kCellMm)->size();
    }
    PerRow(state);
    state.counters["png_bytes/row"] = static_cast<double>(bytes) / kRows;
}

void StageSheetPdf(benchmark::State& state)
{
    const Encoded& rows = EncodedRows();
    nubora::SheetPdfOptions options{nubora::BuiltInSheetLayouts().front(), kCellMm, 0, nubora::CaptionPlace::Beside,
                                    nubora::CutLines::Hidden};
    size_t bytes = 0;
    for (auto _ : state) {
        auto writer = nubora::SheetPdfWriter::Start(options);
        for (size_t i = 0; i < rows.symbols.size(); ++i) {
            if (!writer->Add(*rows.symbols[i].At(0), Rows()[i].csv.substr(0, Rows()[i].csv.find(','))).Ok()) {
                state.SkipWithError("a code does not fit its card");
                return;
            }
        }
        auto file = writer->Finish();
        bytes = file ? file->size() : 0;
    }
    PerRow(state);
    state.counters["pdf_bytes/row"] = static_cast<double>(bytes) / kRows;
}

BENCHMARK_CAPTURE(NuboraQrSheets, png_disk, Storage::Disk, Output::PngFiles)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(NuboraQrSheets, pdf_disk, Storage::Disk, Output::CardSheets)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(NuboraQrSheets, png_memory, Storage::Memory, Output::PngFiles)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(NuboraQrSheets, pdf_memory, Storage::Memory, Output::CardSheets)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(NuboraQrBatch, disk, Storage::Disk)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(NuboraQrBatch, memory, Storage::Memory)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(LibqrencodeInProcess, disk, Storage::Disk)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(LibqrencodeInProcess, memory, Storage::Memory)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK(QrencodeToolPerRow)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(StageEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(StageReadBack)->Unit(benchmark::kMillisecond);
BENCHMARK(StagePngFile)->Unit(benchmark::kMillisecond);
BENCHMARK(StageSheetPdf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
