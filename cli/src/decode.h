// nubora-qr --decode: the codes in picture files, their texts or, with
// --json, their forms and fields.
#pragma once

#include "options.h"

namespace nubora::cli {

// Reads every code in the files options.decodePaths (the parts of a split
// may lie in different files) and prints, on standard output, each code's
// text as UTF-8 followed by a line break, after a header line per code when
// there are several; with options.json one JSON object with every code's
// form, fields, charset, version, level and split. Returns kExitOk, or
// kExitInputFailed when a file cannot be read, shows no code or only part of
// a split (the message on standard error, nothing on standard output).
int RunDecode(const Options& options);

}  // namespace nubora::cli
