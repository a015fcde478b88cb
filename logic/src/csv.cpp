#include "nubora/logic/csv.h"

namespace nubora {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Reads records from a text, one character at a time.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {}

    bool Read(std::vector<CsvRecord>& records, CsvError& error)
    {
        while (pos_ < text_.size()) {
            if (AtLineBreak()) {
                SkipLineBreak();  // an empty line
                continue;
            }
            CsvRecord record{line_, {}};
            if (!ReadRecord(record.fields, error))
                return false;
            records.push_back(std::move(record));
        }
        return true;
    }

private:
    bool AtLineBreak() const
    {
        return text_[pos_] == '\n' || (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n');
    }
    void SkipLineBreak()
    {
        pos_ += text_[pos_] == '\r' ? 2 : 1;
        ++line_;
    }

    // One record up to and including its line break (or the end).
    bool ReadRecord(std::vector<std::string>& fields, CsvError& error)
    {
        for (;;) {
            std::string field;
            if (!(pos_ < text_.size() && text_[pos_] == '"' ? ReadQuoted(field, error) : ReadPlain(field, error)))
                return false;
            fields.push_back(std::move(field));
            if (pos_ >= text_.size())
                return true;
            if (AtLineBreak()) {
                SkipLineBreak();
                return true;
            }
            ++pos_;  // the comma
        }
    }

    bool ReadPlain(std::string& field, CsvError& error)
    {
        const size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineBreak()) {
            if (text_[pos_] == '"')
                return Fail(error, "a double quote inside a field that does not begin with one");
            ++pos_;
        }
        field.assign(text_.substr(start, pos_ - start));
        return true;
    }

    bool ReadQuoted(std::string& field, CsvError& error)
    {
        const int openedOn = line_;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size()) {
                line_ = openedOn;
                return Fail(error, "a quoted field is not closed");
            }
            const char c = text_[pos_++];
            if (c == '\n')
                ++line_;
            if (c != '"') {
                field += c;
            } else if (pos_ < text_.size() && text_[pos_] == '"') {
                field += '"';
                ++pos_;
            } else {
                break;
            }
        }
        if (pos_ < text_.size() && text_[pos_] != ',' && !AtLineBreak())
            return Fail(error, "something other than a comma or a line break after a closing quote");
        return true;
    }

    bool Fail(CsvError& error, const char* message) const
    {
        error = {line_, message};
        return false;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

Result<std::vector<CsvRecord>, CsvError> ParseCsv(std::string_view text)
{
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    std::vector<CsvRecord> records;
    CsvError error;
    if (!CsvReader(text).Read(records, error))
        return Fail(std::move(error));
    return records;
}

}  // namespace nubora
