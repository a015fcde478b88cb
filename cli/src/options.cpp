#include "options.h"

#include "batch.h"

#include "nubora/logic/shell_rules.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace nubora::cli {
namespace {

constexpr const char* kUsage =
    "Usage: nubora-qr [OPTIONS] -o FILE TEXT|-\n"
    "       nubora-qr [OPTIONS] --kind text|address|mail --batch FILE.csv --output-dir DIR\n"
    "       nubora-qr [OPTIONS] --kind KIND --batch FILE.csv --sheet LAYOUT -o FILE.pdf\n"
    "       nubora-qr --list-sheets\n"
    "       nubora-qr --decode [--json] FILE...\n"
    "\n"
    "Makes QR Code symbols for Japanese mobile phones, each one read back before\n"
    "it is written. TEXT is UTF-8 and is encoded as Shift_JIS (CP932), or as UTF-8\n"
    "with an ECI in the standard form; - reads it from standard input. With\n"
    "--decode, reads the codes in pictures instead.\n"
    "\n"
    "  -o, --output FILE        the file to write: .bmp, .png, .svg or .pdf; a split\n"
    "                           writes FILE-1 ... FILE-N (a PDF: one sheet)\n"
    "      --cp932              the input is Shift_JIS (CP932) bytes already\n"
    "      --level L|M|Q|H      error correction level (default M)\n"
    "      --version auto|1..15 symbol version (default auto)\n"
    "      --split 1..16        number of symbols of a structured-append split (default 1)\n"
    "      --cell MM            printed module size: 0.25 0.3 0.35 0.4 0.45 0.5 0.55 0.6\n"
    "                           (default 0.25)\n"
    "      --kind KIND          a batch of text, address or mail rows\n"
    "      --batch FILE.csv     the rows: UTF-8 CSV with a header row\n"
    "      --output-dir DIR     where a batch writes 0001.png, 0002.png ...\n"
    "      --format FMT         png, bmp, svg or pdf for a batch (default png)\n"
    "      --form FORM          legacy or standard (default legacy): legacy is the\n"
    "                           MEMORY and MAILTO texts in Shift_JIS; standard\n"
    "                           a MECARD, a mailto: URI and any text in UTF-8 with\n"
    "                           an ECI, which takes every character\n"
    "      --charset CHARSET    sjis or utf-8: the character set of the codes,\n"
    "                           instead of the one the form implies\n"
    "      --profile PROFILE    the older choice for a batch: memory or mecard for\n"
    "                           address rows, mailto-legacy or mailto-uri for mail\n"
    "                           rows; the legacy or standard form in Shift_JIS\n"
    "      --sheet LAYOUT       a batch onto label sheets: one PDF, a code a label\n"
    "                           (nubora-qr --list-sheets names the layouts)\n"
    "      --caption WHAT       none, name, first-line or a column of the CSV:\n"
    "                           the text beside each code (default none)\n"
    "      --start N            the label of the first sheet to start on (default 1)\n"
    "      --cut-lines          show the labels' outlines on screen (never printed)\n"
    "      --list-sheets        list the sheet layouts, one a line, and exit\n"
    "      --decode             print the text of every code in the pictures FILE...\n"
    "                           (PNG, JPEG, BMP, GIF ..., a PDF's first page) as\n"
    "                           UTF-8; the parts of a split are joined\n"
    "      --json               with --decode: the form (memory, mecard, vcard,\n"
    "                           mailto, matmsg, text), fields, version, level and\n"
    "                           split of each code as JSON\n"
    "  -h, --help               show this help and exit\n"
    "\n"
    "Exit status: 0 success, 1 input or encoding failure (or no code found),\n"
    "2 usage error, 3 an output file could not be written.\n";

// The highest --start taken: more labels than any sheet has.
constexpr int kMaxStartLabel = 9999;

// An integer in [low, high], the whole text; nothing otherwise.
std::optional<int> IntegerIn(std::string_view text, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> LevelOf(std::string_view text)
{
    constexpr std::string_view kLevels = "LMQH";
    if (text.size() != 1 || kLevels.find(text[0]) == std::string_view::npos)
        return std::nullopt;
    return static_cast<int>(kLevels.find(text[0])) + 1;
}

// The cell sizes written as decimals: "0.30" and ".3" name 0.3 too.
std::optional<int> CellSizeIndexOf(std::string_view text)
{
    if (text.starts_with('.'))
        return CellSizeIndexOf("0" + std::string(text));
    while (text.size() > 3 && text.ends_with('0'))
        text.remove_suffix(1);
    return CellSizeIndexFromText(text);
}

std::optional<PayloadForm> FormNamed(std::string_view name)
{
    if (name == "legacy")
        return PayloadForm::Legacy;
    if (name == "standard")
        return PayloadForm::Standard;
    return std::nullopt;
}

std::optional<text::TextCharset> CharsetNamed(std::string_view name)
{
    if (name == "sjis")
        return text::TextCharset::Cp932;
    if (name == "utf-8")
        return text::TextCharset::Utf8;
    return std::nullopt;
}

std::optional<BatchKind> KindNamed(std::string_view name)
{
    if (name == "text")
        return BatchKind::Text;
    if (name == "address")
        return BatchKind::Address;
    if (name == "mail")
        return BatchKind::Mail;
    return std::nullopt;
}

// The options as they are read, before the checks between them.
class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParsedOptions Run()
    {
        while (next_ < args_.size() && error_.empty()) {
            const std::string& arg = args_[next_++];
            if (arg == "--") {
                while (next_ < args_.size())
                    operands_.push_back(args_[next_++]);
            } else if (arg.size() > 1 && arg[0] == '-') {
                Option(arg);
                if (options_.help)
                    return options_;
            } else {
                operands_.push_back(arg);
            }
        }
        if (error_.empty())
            CheckTogether();
        if (!options_.charsetGiven)
            options_.charset = PayloadCharset(options_.form);
        const bool standard = options_.form == PayloadForm::Standard;
        options_.addressProfile = standard ? AddressProfile::Mecard : AddressProfile::Memory;
        options_.mailProfile = standard ? MailProfile::MailtoUri : MailProfile::MailtoLegacy;
        if (!error_.empty())
            return Fail(UsageError{error_});
        return options_;
    }

private:
    void Option(const std::string& arg)
    {
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (arg.starts_with("--")) {
            if (const size_t eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                inlineValue = arg.substr(eq + 1);
            }
        } else if (arg.size() > 2) {
            name = arg.substr(0, 2);
            inlineValue = arg.substr(2);
        }
        if (name == "-h" || name == "--help") {
            options_.help = !inlineValue;
            if (inlineValue)
                error_ = "option " + name + " takes no value";
            return;
        }
        for (auto [flag, target] : {std::pair{"--cp932", &options_.cp932}, std::pair{"--cut-lines", &options_.cutLines},
                                    std::pair{"--list-sheets", &options_.listSheets},
                                    std::pair{"--decode", &options_.decode}, std::pair{"--json", &options_.json}}) {
            if (name != flag)
                continue;
            *target = !inlineValue;
            if (inlineValue)
                error_ = "option " + name + " takes no value";
            else
                flagsGiven_ += name != "--decode" && name != "--json" ? 1 : 0;
            sheetOptionGiven_ = sheetOptionGiven_ || name == "--cut-lines";
            return;
        }
        const auto value = Value(name, inlineValue);
        if (!value)
            return;
        ++flagsGiven_;
        if (!Apply(name, *value) && error_.empty())
            error_ = "invalid value '" + *value + "' for " + name;
    }

    std::optional<std::string> Value(const std::string& name, const std::optional<std::string>& inlineValue)
    {
        if (!IsValued(name)) {
            error_ = "unknown option " + name;
            return std::nullopt;
        }
        if (inlineValue)
            return inlineValue;
        if (next_ >= args_.size()) {
            error_ = "option " + name + " needs a value";
            return std::nullopt;
        }
        return args_[next_++];
    }

    static bool IsValued(std::string_view name)
    {
        for (std::string_view known :
             {"-o", "--output", "--level", "--version", "--split", "--cell", "--kind", "--batch", "--output-dir",
              "--format", "--profile", "--form", "--charset", "--sheet", "--caption", "--start"}) {
            if (name == known)
                return true;
        }
        return false;
    }

    // False when `value` is out of range for option `name`.
    bool Apply(const std::string& name, const std::string& value)
    {
        if (name == "-o" || name == "--output")
            return Set(options_.outputPath, !value.empty() ? std::optional(value) : std::nullopt);
        if (name == "--level")
            return Set(options_.level, LevelOf(value));
        if (name == "--version")
            return Set(options_.version, value == "auto" ? std::optional(0) : IntegerIn(value, 1, 15));
        if (name == "--split")
            return Set(options_.splitCount, IntegerIn(value, 1, 16));
        if (name == "--cell")
            return Set(options_.cellSizeIndex, CellSizeIndexOf(value));
        if (name == "--kind")
            return Set(options_.kind, KindNamed(value));
        if (name == "--batch")
            return Set(options_.batchPath, !value.empty() ? std::optional(value) : std::nullopt);
        if (name == "--output-dir")
            return Set(options_.outputDir, !value.empty() ? std::optional(value) : std::nullopt);
        if (name == "--sheet")
            return Set(options_.sheetName, !value.empty() ? std::optional(value) : std::nullopt);
        if (name == "--caption")
            return Set(options_.caption, !value.empty() ? std::optional(value) : std::nullopt) &&
                   (sheetOptionGiven_ = true);
        if (name == "--start")
            return Set(options_.startLabel, IntegerIn(value, 1, kMaxStartLabel)) && (sheetOptionGiven_ = true);
        if (name == "--format")
            return Set(options_.batchFormat, SymbolFileFormatNamed(value)) && (formatGiven_ = true);
        if (name == "--form")
            return Set(options_.form, FormNamed(value)) && (formGiven_ = true);
        if (name == "--charset")
            return Set(options_.charset, CharsetNamed(value)) && (options_.charsetGiven = true);
        profile_ = value;
        return value == "memory" || value == "mecard" || value == "mailto-legacy" || value == "mailto-uri";
    }

    template <typename T, typename U>
    static bool Set(T& target, const std::optional<U>& value)
    {
        if (value)
            target = *value;
        return value.has_value();
    }

    void CheckTogether()
    {
        if (options_.listSheets)
            return;
        if (options_.decode || options_.json)
            CheckDecode();
        else if (sheetOptionGiven_ && options_.sheetName.empty())
            error_ = "--caption, --start and --cut-lines belong to --sheet";
        else if (!options_.sheetName.empty())
            CheckSheetBatch();
        else if (options_.kind || !options_.batchPath.empty() || !options_.outputDir.empty())
            CheckBatch();
        else
            CheckSingle();
    }

    void CheckSingle()
    {
        if (formatGiven_ || !profile_.empty()) {
            error_ = "--format and --profile belong to a batch (--kind, --batch, --output-dir)";
        } else if (operands_.size() != 1) {
            error_ = operands_.empty() ? "no TEXT given (- reads it from standard input)" : "more than one TEXT given";
        } else if (options_.outputPath.empty()) {
            error_ = "no output file given (-o FILE)";
        } else if (!SymbolFileFormatFor(options_.outputPath)) {
            error_ = "the output file must end in .bmp, .png, .svg or .pdf: " + options_.outputPath;
        } else {
            options_.readStdin = operands_[0] == "-";
            if (!options_.readStdin)
                options_.text = operands_[0];
        }
    }

    void CheckSheetBatch()
    {
        if (!options_.kind || options_.batchPath.empty() || options_.outputPath.empty()) {
            error_ = "--sheet needs --kind, --batch and -o FILE.pdf";
        } else if (SymbolFileFormatFor(options_.outputPath) != SymbolFileFormat::Pdf) {
            error_ = "the sheets are a PDF file: -o must end in .pdf: " + options_.outputPath;
        } else if (!options_.outputDir.empty() || formatGiven_ || !operands_.empty()) {
            error_ = "--sheet writes one PDF: it takes no --output-dir, --format or TEXT";
        } else if (options_.splitCount != 1) {
            error_ = "--sheet puts one symbol on a label: it takes no --split";
        } else if (!IsCaption(options_.caption, *options_.kind)) {
            error_ = "--caption takes none, name, first-line or a column of the kind: " + options_.caption;
        } else {
            CheckProfile();
        }
    }

    static bool IsCaption(const std::string& caption, BatchKind kind)
    {
        const std::vector<std::string> columns = ColumnsOf(kind);
        return caption == "none" || caption == "name" || caption == "first-line" ||
               std::find(columns.begin(), columns.end(), caption) != columns.end();
    }

    void CheckBatch()
    {
        if (!options_.kind || options_.batchPath.empty() || options_.outputDir.empty()) {
            error_ = "a batch needs --kind, --batch and --output-dir";
        } else if (!operands_.empty() || !options_.outputPath.empty()) {
            error_ = "a batch takes no TEXT and no -o";
        } else {
            CheckProfile();
        }
    }

    // The --profile given applies to the batch's kind and becomes its form,
    // in Shift_JIS unless --charset says otherwise.
    void CheckProfile()
    {
        if (profile_.empty())
            return;
        const bool address = profile_ == "memory" || profile_ == "mecard";
        const bool mail = profile_ == "mailto-legacy" || profile_ == "mailto-uri";
        if (formGiven_) {
            error_ = "--profile is the older name of --form: give one of them";
        } else if ((address && *options_.kind == BatchKind::Address) || (mail && *options_.kind == BatchKind::Mail)) {
            options_.form = profile_ == "mecard" || profile_ == "mailto-uri" ? PayloadForm::Standard
                                                                             : PayloadForm::Legacy;
            if (!options_.charsetGiven)
                options_.charset = text::TextCharset::Cp932;
            options_.charsetGiven = true;
        } else {
            error_ = "--profile " + profile_ + " does not apply to this --kind";
        }
    }

    void CheckDecode()
    {
        if (!options_.decode)
            error_ = "--json belongs to --decode";
        else if (flagsGiven_ > 0)
            error_ = "--decode takes no option but --json";
        else if (operands_.empty())
            error_ = "no FILE given to --decode";
        else
            options_.decodePaths = operands_;
    }

    const std::vector<std::string>& args_;
    size_t next_ = 0;
    Options options_;
    std::vector<std::string> operands_;
    std::string profile_;
    bool formatGiven_ = false;
    bool formGiven_ = false;
    bool sheetOptionGiven_ = false;  // --caption, --start or --cut-lines
    int flagsGiven_ = 0;             // options other than --decode and --json
    std::string error_;
};

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) { return Parser(args).Run(); }

const char* Utf8Remedy(const Options& options)
{
    return options.charsetGiven ? "--charset utf-8" : "--form standard (UTF-8)";
}

const char* UsageText() { return kUsage; }

}  // namespace nubora::cli
