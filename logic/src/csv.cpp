#include "nubora/logic/csv.h"

#include "nubora/text/charset.h"

#include <utility>

namespace nubora {
namespace {

// Reads records from a text, one character at a time.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {}

    Result<std::vector<CsvRecord>, CsvError> Read()
    {
        std::vector<CsvRecord> records;
        while (pos_ < text_.size()) {
            if (AtLineBreak()) {
                SkipLineBreak();  // an empty line
                continue;
            }
            const int line = line_;
            Result<std::vector<std::string>, CsvError> fields = ReadRecord();
            if (!fields)
                return Fail(fields.Error());
            records.push_back(CsvRecord{line, std::move(fields).Value()});
        }
        return records;
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
    Result<std::vector<std::string>, CsvError> ReadRecord()
    {
        std::vector<std::string> fields;
        for (;;) {
            Result<std::string, CsvError> field = pos_ < text_.size() && text_[pos_] == '"' ? ReadQuoted()
                                                                                            : ReadPlain();
            if (!field)
                return Fail(field.Error());
            fields.push_back(std::move(field).Value());
            if (pos_ >= text_.size())
                return fields;
            if (AtLineBreak()) {
                SkipLineBreak();
                return fields;
            }
            ++pos_;  // the comma
        }
    }

    Result<std::string, CsvError> ReadPlain()
    {
        const size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineBreak()) {
            if (text_[pos_] == '"')
                return Failed("a double quote inside a field that does not begin with one");
            ++pos_;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    Result<std::string, CsvError> ReadQuoted()
    {
        const int openedOn = line_;
        std::string field;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size()) {
                line_ = openedOn;
                return Failed("a quoted field is not closed");
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
            return Failed("something other than a comma or a line break after a closing quote");
        return field;
    }

    // The failure `message` on the line read now.
    Failure<CsvError> Failed(const char* message) const { return Fail(CsvError{line_, message}); }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

Result<std::vector<CsvRecord>, CsvError> ParseCsv(std::string_view text)
{
    if (text.starts_with(text::kUtf8ByteOrderMark))
        text.remove_prefix(text::kUtf8ByteOrderMark.size());
    return CsvReader(text).Read();
}

}  // namespace nubora
