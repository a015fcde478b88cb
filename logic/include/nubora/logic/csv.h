// Comma-separated values as RFC 4180 writes them: fields between commas,
// records ending in CR LF or LF, a field in double quotes holding commas,
// line breaks and doubled quotes ("") for one quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/result.h"

namespace nubora {

struct CsvRecord {
    int line = 0;  // the line (1-based) the record starts on
    std::vector<std::string> fields;
};

struct CsvError {
    int line = 0;  // 1-based
    std::string message;
};

// The records of `text`. A UTF-8 byte order mark at the start is
// skipped; a line break at the very end makes no record of its own, and
// empty lines make none either. Line breaks inside quotes are kept as they
// are (CR LF or LF). Fails, naming the line, on a quote inside an
// unquoted field, anything but a comma or a line break after a closing
// quote, or a quote left open at the end. The bytes are taken as they are,
// so CP932 text parses too (its second bytes are never a comma, quote, CR or
// LF).
Result<std::vector<CsvRecord>, CsvError> ParseCsv(std::string_view text);

}  // namespace nubora
