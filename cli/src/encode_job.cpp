#include "encode_job.h"

#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/resources/string_ids.h"

#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace nubora::cli {
namespace {

// Writes every file or, removing what it wrote, none.
Result<void, WriteFailure> WriteFiles(const SymbolBitmaps& symbols, const CodeSettings& settings,
                                      const FileTarget& target)
{
    const double cellMm = CellSizeMm(settings.cellSizeIndex);
    const auto save = [&](const std::string& path, int shown) {
        return SaveCodeFile(path, target.format, symbols, shown, cellMm, settings.printSizeMm, target.sync);
    };
    const std::vector<std::string> paths = TargetFiles(target, symbols.Count());
    if (paths.size() == 1)
        return save(paths[0], 0);
    // Every part is written beside its name first and takes that name only
    // once all are written, so that a failure leaves the files that were
    // there before as they were.
    const auto staged = [](const std::string& path) { return path + ".nubora-part"; };
    for (const std::string& path : paths) {
        struct stat there {};
        if (::stat(path.c_str(), &there) == 0 && !S_ISREG(there.st_mode))
            return Fail(WriteFailure{path});  // a folder or a device in the way: nothing is written
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        if (const Result<void, WriteFailure> saved = save(staged(paths[i]), static_cast<int>(i)); !saved) {
            for (size_t written = 0; written < i; ++written)
                ::unlink(staged(paths[written]).c_str());
            WriteFailure failure = saved.Error();
            failure.path = paths[i];  // the part's own name, not the one it was staged under
            return Fail(std::move(failure));
        }
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        if (::rename(staged(paths[i]).c_str(), paths[i].c_str()) != 0) {
            for (size_t left = i; left < paths.size(); ++left)
                ::unlink(staged(paths[left]).c_str());
            return Fail(WriteFailure{paths[i]});
        }
    }
    return {};
}

}  // namespace

Result<CheckedCode, JobFailure> EncodeChecked(const std::string& payload, const SymbolRequest& request)
{
    CheckedCode code{std::make_unique<SymbolBitmaps>(), CodeSettings{}};
    code.settings.level = request.level;
    code.settings.version = request.version;
    code.settings.splitCount = request.splitCount;
    code.settings.cellSizeIndex = request.cellSizeIndex;
    // The form chooses the engine's entry point; the payload's texts were
    // built before, in whichever form was asked for.
    code.settings.form = request.charset == text::TextCharset::Utf8 ? PayloadForm::Standard : PayloadForm::Legacy;
    const Result<EncodeSuccess, EncodeFailure> encoded = EncodeReadBack(payload, code.settings, *code.symbols,
                                                                        request.charset);
    if (!encoded)
        return Fail(JobFailure{JobFailure::Kind::Input, encoded.Error().messageId, {}});
    return code;
}

Result<int, JobFailure> EncodeAndWrite(const std::string& payload, const SymbolRequest& request,
                                       const FileTarget& target)
{
    // No file is written for a symbol that does not give its payload back.
    Result<CheckedCode, JobFailure> code = EncodeChecked(payload, request);
    if (!code)
        return Fail(code.Error());
    const SymbolBitmaps& symbols = *code->symbols;
    if (const Result<void, WriteFailure> written = WriteFiles(symbols, code->settings, target); !written)
        return Fail(
            JobFailure{JobFailure::Kind::Write,
                       written.Error().status == FileStatus::InUse ? res::str::kFileInUse : res::str::kFileOpenFailed,
                       written.Error().path});
    return symbols.Count();
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
