// Shift-JIS (CP932, Windows-31J) at the boundary between controls, which hold
// Unicode, and the program's members and payloads, which hold CP932 bytes.
// The conversion is glibc's iconv "CP932".
#pragma once

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

// Length of `text` in CP932 bytes, or nothing when a character has no code.
std::optional<int> Cp932Length(const QString& text);

// True for the first byte of a CP932 double-byte character: 0x81-0x9F, 0xE0-0xFC.
constexpr bool IsDbcsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Multi-line controls separate lines with LF; members with CR LF.
std::string LfToCrLf(std::string_view text);
std::string CrLfToLf(std::string_view text);

}  // namespace nubora::fw
