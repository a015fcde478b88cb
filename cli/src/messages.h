// How nubora-qr tells the user what went wrong: on standard error, each line
// beginning with the program's name, and for the program's own failures its
// Japanese message from the string table followed by an English line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/csv_batch.h"
#include "nubora/logic/entry_checks.h"

namespace nubora::cli {

// Writes "nubora-qr: " + `where` ("row 3: ", or empty) + `text` as one line.
void Complain(std::string_view where, std::string_view text);

// The message `messageId` of the string table and its English line. A
// kDataTooLong names the version asked for, `askedVersion` (1..15) split
// into `splitCount` symbols, or, for 0, the largest symbol.
std::vector<std::string> MessageLines(int messageId, int askedVersion = 0, int splitCount = 1);

// A failed entry check: the field's message (CheckFailureMessage: a position
// filled in, or "%1 文字以内で入力してください。" for a value over its limit) and
// its English line.
std::vector<std::string> MessageLines(const CheckFailure& failure);

// The same, each line after the field's name.
std::vector<std::string> CheckFailureLines(const CheckFailure& failure);

using nubora::FieldName;

// A line of reader advice (UTF-8): "warning: " + where + advice.
void Warn(std::string_view where, std::string_view advice);

}  // namespace nubora::cli
