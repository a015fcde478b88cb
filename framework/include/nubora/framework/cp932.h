// Shift-JIS (CP932, Windows-31J) at the boundary between controls, which hold
// Unicode, and the program's members and payloads, which hold CP932 bytes:
// QString faces of the window-free conversion (nubora/text/cp932.h).
#pragma once

#include "nubora/text/cp932.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace nubora::fw {

// `text` as CP932 bytes, or nothing when a character of it has no CP932 code.
std::optional<std::string> ToCp932(const QString& text);

// `text` as CP932 bytes; a character without a CP932 code becomes '?'.
std::string ToCp932Lossy(const QString& text);

// The CP932 bytes `bytes` as Unicode. A byte sequence that is not CP932
// becomes U+FFFD for each byte that cannot be read.
QString FromCp932(std::string_view bytes);

// The UTF-16 units of the character of `text` at `at` (0 <= at < size):
// 2 for a high surrogate followed by a low one, otherwise 1 (a lone
// surrogate is a character of its own).
qsizetype CharacterWidth(const QString& text, qsizetype at);

// Length of `text` in CP932 bytes, or nothing when a character has no code.
std::optional<int> Cp932Length(const QString& text);

// The lead-byte test, and the line breaks of multi-line controls (LF) and
// members (CR LF).
using text::CrLfToLf;
using text::IsDbcsLeadByte;
using text::LfToCrLf;

}  // namespace nubora::fw
