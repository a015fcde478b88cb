// The benchmark's fixed workload: realistic Shift-JIS payloads of the kinds
// the screens build (contact cards, mails, Japanese free text, digits), each
// chosen so that both the engine and libqrencode put it in a symbol of one
// given version at level M.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nubora::bench {

// The versions the workload covers, at level M.
inline constexpr int kVersions[] = {1, 5, 10, 15};

// Payloads per version, the kinds in turn; where a kind cannot be that small
// (a contact card never fits version 1) the others take its share.
inline constexpr int kPayloads = 16;

// The payloads that land on `version` (one of kVersions) with both engines,
// at level M and automatic version. Same on every run and machine.
const std::vector<std::string>& Payloads(int version);

// The same kinds of payloads in UTF-8, each landing on `version` both with
// the engine's UTF-8 encoder and with libqrencode in 8-bit mode, at level M.
const std::vector<std::string>& Utf8Payloads(int version);

// Version libqrencode chooses for `text` at level M in 8-bit mode, or 0.
int LibqrencodeVersion8bit(const std::string& text);

// Version the engine's UTF-8 encoder chooses for `text` at level M, or 0.
int EngineVersionUtf8(const std::string& text);

// Version libqrencode chooses for `text` at level M with the Kanji hint, or 0.
int LibqrencodeVersion(const std::string& text);

// Version the engine chooses for `text` at level M, or 0.
int EngineVersion(const std::string& text);

}  // namespace nubora::bench
