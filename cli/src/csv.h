// The CSV reader of the batches, shared with the program's sheet dialog and
// kept in the window-free logic; nubora-qr's code names it as its own.
#pragma once

#include "nubora/logic/csv.h"

namespace nubora::cli {

using nubora::CsvError;
using nubora::CsvRecord;
using nubora::ParseCsv;

}  // namespace nubora::cli
