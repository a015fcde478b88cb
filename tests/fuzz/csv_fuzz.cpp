// libFuzzer target for nubora-qr's CSV reader over a batch file: no crash, leak or bad access (ASan,
// UBSan); a refusal names a line; what is read, written out quoted, reads back the same.
#include <cstdint>
#include <cstdlib>

#include "csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto parsed = nubora::cli::ParseCsv({reinterpret_cast<const char*>(data), size});
    if (!parsed) {
        if (parsed.Error().line < 1)
            std::abort();
        return 0;
    }
    const std::vector<nubora::cli::CsvRecord>& records = parsed.Value();
    std::string written;
    for (const auto& record : records) {
        for (const std::string& field : record.fields) {
            written += '"';
            for (const char c : field)
                written += c == '"' ? "\"\"" : std::string(1, c);
            written += "\",";
        }
        written.back() = '\n';  // the comma after the last field
    }
    const auto again = nubora::cli::ParseCsv(written);
    bool same = again && again->size() == records.size();
    for (size_t i = 0; same && i < records.size(); ++i)
        same = (*again)[i].fields == records[i].fields;
    if (!same)
        std::abort();
    return 0;
}
