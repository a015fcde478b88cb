// The command line of nubora-qr: what it asks for, parsed without touching
// any file, so that a usage error leaves nothing behind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nubora/logic/result.h"
#include "nubora/logic/symbol_writer.h"

namespace nubora::cli {

// What the rows of a batch hold.
enum class BatchKind { Text, Address, Mail };
// The payload form of address rows: the MEMORY text or a MECARD.
enum class AddressProfile { Memory, Mecard };
// The payload form of mail rows: the MAILTO text or a mailto: URI.
enum class MailProfile { MailtoLegacy, MailtoUri };

struct Options {
    bool help = false;
    bool cp932 = false;  // the input is CP932 bytes already, not UTF-8

    // Reading codes back (--decode): the picture files, and whether to print
    // the forms and fields as JSON (--json) instead of the texts.
    bool decode = false;
    bool json = false;
    std::vector<std::string> decodePaths;

    // One text: TEXT itself, or standard input when `readStdin`.
    std::string text;
    bool readStdin = false;
    std::string outputPath;  // -o FILE; its extension names the format

    // A batch, when `kind` is set: the CSV file and the folder for the files.
    std::optional<BatchKind> kind;
    std::string batchPath;
    std::string outputDir;
    SymbolFileFormat batchFormat = SymbolFileFormat::Png;
    AddressProfile addressProfile = AddressProfile::Memory;
    MailProfile mailProfile = MailProfile::MailtoLegacy;

    // The symbols, as the engine takes them.
    int level = 2;          // 1 L, 2 M, 3 Q, 4 H
    int version = 0;        // 0 automatic, 1..15
    int splitCount = 1;     // 1..16
    int cellSizeIndex = 0;  // 0..7 for 0.25, 0.3, ... 0.6 mm
};

// Why the arguments are not usable.
struct UsageError {
    std::string message;  // one English line, without the program's name
};

// Either the options or the reason they are not usable.
using ParsedOptions = Result<Options, UsageError>;

// Parses the arguments after the program's name. "--name value" and
// "--name=value" are both taken; "-o FILE" and "-oFILE" too; "--" ends the
// options. A lone "-" is the text operand meaning standard input. Fails on an
// unknown option, a missing or out-of-range value, a missing or extra
// operand, a single text without -o or with an extension that names no
// format, a batch without --output-dir or with a TEXT operand, --decode
// without a FILE or with an option that makes codes, and --json without
// --decode. --help succeeds at once with `help` set.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The usage text that --help prints and usage errors point to.
const char* UsageText();

}  // namespace nubora::cli
