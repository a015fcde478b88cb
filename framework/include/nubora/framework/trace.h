// A plain-text trace of what the user would see: boxes, windows shown,
// windows brought to the front. Written only when the environment variable
// NUBORA_TEST_TRACE names a file (the end-to-end tests set it); otherwise
// nothing is written anywhere.
#pragma once

#include <QString>

namespace nubora::fw {

inline constexpr char kTraceVariable[] = "NUBORA_TEST_TRACE";

// True when NUBORA_TEST_TRACE is set.
bool TraceEnabled();

// Appends `line` and a line feed to the trace file, when there is one.
void WriteTrace(const QString& line);

}  // namespace nubora::fw
