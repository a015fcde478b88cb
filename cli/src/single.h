// nubora-qr with one text: its symbols in one file, or one file per part.
#pragma once

#include "options.h"

namespace nubora::cli {

// Reads the text (TEXT, or standard input to its end), converts it to CP932
// unless options.cp932, and writes its symbols to options.outputPath, with
// the reader advice as warnings. Returns the exit status (encode_job.h);
// every failure is reported on standard error, and nothing is written then.
int RunSingle(const Options& options);

}  // namespace nubora::cli
