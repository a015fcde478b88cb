#include "encode_job.h"

#include "nubora/logic/bmp_writer.h"
#include "nubora/logic/code_settings.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/logic/symbol_readback.h"
#include "nubora/resources/string_ids.h"

#include <cstdio>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace nubora::cli {
namespace {

// The PDF sheet's footer: ASCII, naming what was made.
std::string Footer(const SymbolBitmaps& symbols, const SymbolRequest& request)
{
    constexpr int kQuietModules = 8;  // four on each side
    const int modules = symbols.At(0)->Side() - kQuietModules;
    const int version = (modules - 17) / 4;
    char text[96];
    std::snprintf(text, sizeof text, "nubora-qr  version %d-%c  %d symbol(s)  module %.2f mm", version,
                  "?LMQH"[request.level], symbols.Count(), CellSizeMm(request.cellSizeIndex));
    return text;
}

bool SaveOne(SymbolFileFormat format, const std::string& path, const QrBitmap& symbol, double cellMm, FileSync sync)
{
    switch (format) {
    case SymbolFileFormat::Bmp: return SaveBmpFile(path, symbol, sync);
    // PNG pictures have the BMP picture's pixels per module.
    case SymbolFileFormat::Png: return SavePngFile(path, symbol, kBmpModulePixels, cellMm, sync);
    case SymbolFileFormat::Svg: return SaveSvgFile(path, symbol, cellMm, sync);
    case SymbolFileFormat::Pdf: break;
    }
    return false;
}

// Writes every file or, removing what it wrote, none; the path that failed,
// or empty when all were written.
std::string WriteFiles(const SymbolBitmaps& symbols, const SymbolRequest& request, const FileTarget& target)
{
    const double cellMm = CellSizeMm(request.cellSizeIndex);
    const std::vector<std::string> paths = TargetFiles(target, symbols.Count());
    if (target.format == SymbolFileFormat::Pdf) {
        std::vector<const QrBitmap*> parts;
        for (int i = 0; i < symbols.Count(); ++i)
            parts.push_back(symbols.At(i));
        const bool saved = SavePdfSheet(paths[0], parts.data(), symbols.Count(), cellMm, Footer(symbols, request),
                                        target.sync);
        return saved ? std::string() : paths[0];
    }
    if (paths.size() == 1)
        return SaveOne(target.format, paths[0], *symbols.At(0), cellMm, target.sync) ? std::string() : paths[0];
    // Every part is written beside its name first and takes that name only
    // once all are written, so that a failure leaves the files that were
    // there before as they were.
    const auto staged = [](const std::string& path) { return path + ".nubora-part"; };
    for (const std::string& path : paths) {
        struct stat there {};
        if (::stat(path.c_str(), &there) == 0 && !S_ISREG(there.st_mode))
            return path;  // a folder or a device in the way: nothing is written
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!SaveOne(target.format, staged(paths[i]), *symbols.At(static_cast<int>(i)), cellMm, target.sync)) {
            for (size_t written = 0; written < i; ++written)
                ::unlink(staged(paths[written]).c_str());
            return paths[i];
        }
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        if (::rename(staged(paths[i]).c_str(), paths[i].c_str()) != 0) {
            for (size_t left = i; left < paths.size(); ++left)
                ::unlink(staged(paths[left]).c_str());
            return paths[i];
        }
    }
    return {};
}

}  // namespace

JobResult EncodeAndWrite(const std::string& payload, const SymbolRequest& request, const FileTarget& target)
{
    CodeSettings settings;
    settings.level = request.level;
    settings.version = request.version;
    settings.splitCount = request.splitCount;
    settings.cellSizeIndex = request.cellSizeIndex;
    SymbolBitmaps symbols;
    const EncodeOutcome outcome = EncodeSymbols(payload, settings, symbols);
    if (!outcome.ok)
        return {JobStatus::InputFailed, outcome.failureMessageId, {}, 0};
    // No file is written for a symbol that does not give its payload back.
    if (!ReadsBackAs(symbols, payload))
        return {JobStatus::InputFailed, res::str::kReadBackFailed, {}, 0};
    if (std::string failed = WriteFiles(symbols, request, target); !failed.empty())
        return {JobStatus::WriteFailed, res::str::kFileOpenFailed, std::move(failed), 0};
    return {JobStatus::Written, 0, {}, symbols.Count()};
}

std::string SplitPartPath(const std::string& path, int part)
{
    const size_t nameStart = path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1;
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart)
        dot = path.size();
    return path.substr(0, dot) + "-" + std::to_string(part) + path.substr(dot);
}

std::vector<std::string> TargetFiles(const FileTarget& target, int symbolCount)
{
    if (symbolCount == 1 || target.format == SymbolFileFormat::Pdf)
        return {target.path};
    std::vector<std::string> paths;
    for (int part = 1; part <= symbolCount; ++part)
        paths.push_back(SplitPartPath(target.path, part));
    return paths;
}

}  // namespace nubora::cli
