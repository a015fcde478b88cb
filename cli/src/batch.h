// nubora-qr with a CSV file of entries: one code per row, each row checked
// and built as its input screen would, the files named by row number.
#pragma once

#include <string>
#include <vector>

#include "options.h"

namespace nubora::cli {

using nubora::ColumnsOf;

// Runs the batch of options.batchPath into options.outputDir (made when
// missing): row N (1-based, the header not counted) becomes
// "<NNNN>.<format>", the parts of a split "<NNNN>-<part>.<format>" (a PDF
// sheet holds them all). A row that fails its check, its encoding or its
// read-back is reported with its number and the others go on. Warnings that
// hold for every row are given once, before the rows. Returns the exit
// status: kExitUsage for a header without the kind's first column or with an
// unknown or repeated one; kExitWriteFailed when a file could not be written
// (the batch stops there); kExitInputFailed when the file cannot be read or
// parsed or any row failed; else kExitOk.
int RunBatch(const Options& options);

}  // namespace nubora::cli
