// Opening the program's own modules: libraries that only some runs need,
// kept out of every start of nubora-qr and of the program.
#pragma once

namespace nubora::detail {

// The entry `entry` of the module file `file`: from the installed layout
// beside the program (PROGRAM/../LIBDIR/nubora/`file`), else from
// `buildPath`, the module in the build tree. Null when neither opens or holds
// the entry. A module once opened stays open for the life of the process.
void* OpenModuleEntry(const char* file, const char* buildPath, const char* entry);

}  // namespace nubora::detail
