#include "decode.h"

#include "encode_job.h"
#include "messages.h"

#include "nubora/logic/code_reader.h"
#include "nubora/logic/code_text_parse.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_texts.h"

#include <cstdio>
#include <string>
#include <vector>

namespace nubora::cli {
namespace {

// `text` as a JSON string, quotes included; UTF-8 passes as it is.
std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string QuotedList(const std::vector<std::string>& values)
{
    std::string out = "[";
    for (const std::string& value : values)
        out += (out.size() > 1 ? ", " : "") + Quoted(value);
    return out + "]";
}

void Member(std::string& out, std::string_view name, const std::string& json)
{
    out += (out.ends_with('{') ? "" : ", ") + Quoted(name) + ": " + json;
}

// The fields of a parsed text as the members of a JSON object.
std::string FieldsJson(const ParsedCode& parsed)
{
    std::string fields = "{";
    switch (parsed.form) {
    case CodeForm::Memory:
    case CodeForm::Mecard:
    case CodeForm::Vcard:
        Member(fields, "name", Quoted(parsed.name));
        Member(fields, "reading", Quoted(parsed.reading));
        Member(fields, "tel", QuotedList(parsed.tels));
        Member(fields, "email", QuotedList(parsed.emails));
        Member(fields, "address", Quoted(parsed.address));
        Member(fields, "memo", Quoted(parsed.memo));
        break;
    case CodeForm::MailtoText:
    case CodeForm::MailtoUri:
    case CodeForm::Matmsg:
        Member(fields, "to", Quoted(parsed.to));
        Member(fields, "subject", Quoted(parsed.subject));
        Member(fields, "body", Quoted(parsed.body));
        break;
    case CodeForm::Text: Member(fields, "text", Quoted(parsed.text)); break;
    }
    std::string extras = "[";
    for (const LabelledField& extra : parsed.extras)
        extras += (extras.size() > 1 ? ", " : "") + ("{\"label\": " + Quoted(extra.label)) +
                  ", \"value\": " + Quoted(extra.value) + "}";
    Member(fields, "extras", extras + "]");
    return fields + "}";
}

// The JSON object of one code; a text that cannot be taken apart is given as
// text, with a warning naming the reason.
std::string CodeJson(const ReadCode& code, const std::string& where)
{
    Result<ParsedCode, TextFailure> parsed = ParseCodeText(code.text);
    if (!parsed) {
        Warn(where, std::string(res::StringText(res::str::kCodeTextUnreadable)) + " (byte " +
                        std::to_string(parsed.Error().offset + 1) + " of the text)");
        ParsedCode text;
        text.text = code.text;
        parsed = std::move(text);
    }
    std::string out = "{";
    Member(out, "form", Quoted(CodeFormName(parsed->form)));
    Member(out, "charset", Quoted(CharsetName(code.charset)));
    Member(out, "eci", std::to_string(code.eci));
    Member(out, "version", std::to_string(code.version));
    Member(out, "level", Quoted(std::string(1, code.level)));
    Member(out, "split",
           code.splitCount > 1
               ? "{\"count\": " + std::to_string(code.splitCount) + ", \"parity\": " + std::to_string(code.parity) + "}"
               : "null");
    Member(out, "text", Quoted(code.text));
    Member(out, "fields", FieldsJson(*parsed));
    return out + "}";
}

// "version 4, level M, 2 parts" (the version only when it was measured).
std::string Header(const ReadCode& code, size_t number, size_t count)
{
    std::string header = "# code " + std::to_string(number) + " of " + std::to_string(count) + ":";
    if (code.version > 0)
        header += " version " + std::to_string(code.version) + ",";
    header += std::string(" level ") + code.level;
    if (code.splitCount > 1)
        header += ", " + std::to_string(code.splitCount) + " parts";
    return header + "\n";
}

std::string EnglishOf(const ReadFailure& failure)
{
    if (failure.kind != ReadFailureKind::IncompleteSplit)
        return MessageLines(ReadFailureMessageId(failure.kind)).back();
    std::string parts;
    for (size_t i = 0; i < failure.missingParts.size(); ++i)
        parts += (i == 0 ? "" : i + 1 == failure.missingParts.size() ? " and " : ", ") + failure.missingParts[i];
    return "part" + std::string(failure.missingParts.size() > 1 ? "s " : " ") + parts + " of the split " +
           (failure.missingParts.size() > 1 ? "are" : "is") + " missing";
}

}  // namespace

int RunDecode(const Options& options)
{
    const Result<std::vector<ReadCode>, ReadFailure> codes = ReadCodesInFiles(options.decodePaths);
    if (!codes) {
        const std::string where = codes.Error().path.empty() ? "" : codes.Error().path + ": ";
        Complain(where, ReadFailureMessage(codes.Error()));
        Complain(where, EnglishOf(codes.Error()));
        return kExitInputFailed;
    }
    std::string out = options.json ? "{\"codes\": [" : "";
    for (size_t i = 0; i < codes->size(); ++i) {
        const ReadCode& code = (*codes)[i];
        const std::string where = codes->size() > 1 ? "code " + std::to_string(i + 1) + ": " : "";
        if (code.charset == CodeCharset::Unknown)
            Warn(where, "the bytes are neither UTF-8 nor Shift_JIS; U+FFFD stands for each unreadable byte");
        if (options.json)
            out += (i == 0 ? "\n  " : ",\n  ") + CodeJson(code, where);
        else
            out += (codes->size() > 1 ? Header(code, i + 1, codes->size()) : "") + code.text + "\n";
    }
    if (options.json)
        out += "\n]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitWriteFailed;
}

}  // namespace nubora::cli
