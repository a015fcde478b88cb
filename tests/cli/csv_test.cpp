#include "csv.h"

#include <gtest/gtest.h>

namespace nubora::cli {
namespace {

using Fields = std::vector<std::vector<std::string>>;

Fields FieldsOf(const std::vector<CsvRecord>& records)
{
    Fields out;
    for (const CsvRecord& r : records)
        out.push_back(r.fields);
    return out;
}

TEST(Csv, QuotingRules)
{
    const struct {
        std::string text;
        Fields expected;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"\"a,b\",\"say \"\"hi\"\"\"\n", {{"a,b", "say \"hi\""}}},
        {"\"one\r\ntwo\",\"x\ny\"\n", {{"one\r\ntwo", "x\ny"}}},
        {"a,,\n\"\",b\n", {{"a", "", ""}, {"", "b"}}},
        {"\xEF\xBB\xBFname\n\nx\n\r\n", {{"name"}, {"x"}}},  // a BOM and empty lines are skipped
    };
    for (const auto& c : cases) {
        const Result<std::vector<CsvRecord>, CsvError> records = ParseCsv(c.text);
        ASSERT_TRUE(records.Ok()) << c.text << ": " << records.Error().message;
        EXPECT_EQ(FieldsOf(*records), c.expected) << c.text;
    }
}

TEST(Csv, MalformedTextNamesItsLine)
{
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"a\nb\"c\n", 2},       // a quote inside an unquoted field
        {"a\n\"b\"c\n", 2},     // text after the closing quote
        {"a\n\"b\nc\nd", 2},    // never closed: the line it opened on
        {"\"x\ny\",z\"\n", 2},  // lines inside quotes count
    };
    for (const auto& c : cases) {
        const Result<std::vector<CsvRecord>, CsvError> records = ParseCsv(c.text);
        ASSERT_FALSE(records.Ok()) << c.text;
        EXPECT_EQ(records.Error().line, c.line) << c.text;
    }
}

}  // namespace
}  // namespace nubora::cli
