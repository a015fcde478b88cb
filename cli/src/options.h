// The command line of nubora-qr: what it asks for, parsed without touching
// any file, so that a usage error leaves nothing behind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nubora/logic/csv_batch.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/logic/result.h"
#include "nubora/logic/symbol_writer.h"
#include "nubora/text/charset.h"

namespace nubora::cli {

using nubora::AddressProfile;
using nubora::BatchKind;
using nubora::MailProfile;

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

    // A batch onto label sheets, when `sheetName` is set: one PDF at
    // outputPath instead of a file a row in outputDir.
    std::string sheetName;
    // What each label shows beside its code: "none", "name" (the name of an
    // address, the subject of a mail, the first line of a text),
    // "first-line" (of the row's first column) or a column of the kind.
    std::string caption = "none";
    int startLabel = 1;       // the 1-based label of the first sheet to start on
    bool cutLines = false;    // draw the labels' outlines
    bool listSheets = false;  // --list-sheets: list the layouts and exit

    // The form of every kind's code, as the settings' 形式 chooses it
    // (--form, or the older --profile of a batch): Legacy, the MEMORY and
    // MAILTO texts, or Standard, a MECARD and a mailto: URI; and the
    // character set the code is in: the form's own (PayloadCharset) unless
    // --charset names the other. A --profile keeps Shift_JIS, as it always
    // made its codes.
    PayloadForm form = PayloadForm::Legacy;
    text::TextCharset charset = text::TextCharset::Cp932;
    bool charsetGiven = false;  // --charset (or a --profile) chose `charset`
    // `form` as --profile names it for address and mail rows.
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
// format, a batch without --output-dir or with a TEXT operand, a batch
// with --sheet without a PDF -o, with --output-dir, --format or --split, or a
// --caption that names no column of the kind; --caption, --start and
// --cut-lines without --sheet; --profile with --form, on a single text or
// for another kind; --decode without a FILE or with an option that
// makes codes, and --json without --decode. --help succeeds at once with
// `help` set, --list-sheets with `listSheets`.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The options that make the codes of `options` UTF-8, for the message about
// a character that Shift_JIS lacks: "--charset utf-8" when the charset was
// chosen (--charset, --profile), else "--form standard (UTF-8)".
const char* Utf8Remedy(const Options& options);

// The usage text that --help prints and usage errors point to.
const char* UsageText();

}  // namespace nubora::cli
