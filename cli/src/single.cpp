#include "single.h"

#include "encode_job.h"
#include "messages.h"
#include "nubora/logic/utf8_input.h"

#include "nubora/logic/file_io.h"
#include "nubora/logic/reader_advice.h"

#include <cstdio>

namespace nubora::cli {
namespace {

void ComplainAll(const std::string& where, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        Complain(where, line);
}

// The whole of standard input. Fails with Unreadable when reading it failed.
Result<std::string, FileStatus> ReadStandardInput()
{
    std::string text;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;)
        text.append(buffer, n);
    if (std::ferror(stdin))
        return Fail(FileStatus::Unreadable);
    return text;
}

}  // namespace

int RunSingle(const Options& options)
{
    std::string input = options.text;
    if (options.readStdin) {
        const Result<std::string, FileStatus> read = ReadStandardInput();
        if (!read) {
            Complain("standard input: ", "cannot be read");
            return kExitInputFailed;
        }
        input += *read;
    }
    Result<std::string, ConversionFailure> converted = InputIn(input, options.cp932, options.charset);
    if (!converted) {
        Complain("the text: ", Describe(converted.Error(), Utf8Remedy(options)));
        return kExitInputFailed;
    }
    const std::string payload = std::move(converted).Value();
    if (const Result<void, CheckFailure> checked = CheckFreeText(payload, options.charset); !checked) {
        ComplainAll("", MessageLines(checked.Error()));
        return kExitInputFailed;
    }
    const SymbolRequest request{options.level, options.version, options.splitCount, options.cellSizeIndex,
                                options.charset};
    const FileTarget target{*SymbolFileFormatFor(options.outputPath), options.outputPath};
    const Result<int, JobFailure> written = EncodeAndWrite(payload, request, target);
    if (!written && written.Error().kind == JobFailure::Kind::Input) {
        ComplainAll("", MessageLines(written.Error().messageId, request.version, request.splitCount));
        return kExitInputFailed;
    }
    if (!written) {
        ComplainAll(written.Error().path + ": ", MessageLines(written.Error().messageId));
        return kExitWriteFailed;
    }
    for (const std::string& advice : ReaderAdvice(payload, *written, false, options.charset))
        Warn("", advice);
    return kExitOk;
}

}  // namespace nubora::cli
