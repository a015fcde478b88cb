#include "options.h"

#include <gtest/gtest.h>

namespace nubora::cli {
namespace {

ParsedOptions Parse(std::initializer_list<const char*> args) { return ParseOptions({args.begin(), args.end()}); }

TEST(Options, ValuesAndDefaults)
{
    const ParsedOptions defaults = Parse({"-o", "a.png", "text"});
    ASSERT_TRUE(defaults.Ok()) << defaults.Error().message;
    EXPECT_EQ(defaults->level, 2);
    EXPECT_EQ(defaults->version, 0);
    EXPECT_EQ(defaults->splitCount, 1);
    EXPECT_EQ(defaults->cellSizeIndex, 0);
    EXPECT_EQ(defaults->text, "text");

    const ParsedOptions set = Parse(
        {"--level=H", "--version", "15", "--split", "16", "--cell", "0.60", "-oa.pdf", "--cp932", "-"});
    ASSERT_TRUE(set.Ok()) << set.Error().message;
    EXPECT_EQ(set->level, 4);
    EXPECT_EQ(set->version, 15);
    EXPECT_EQ(set->splitCount, 16);
    EXPECT_EQ(set->cellSizeIndex, 7);
    EXPECT_TRUE(set->readStdin);
    EXPECT_TRUE(set->cp932);

    const ParsedOptions batch = Parse(
        {"--kind", "mail", "--batch", "m.csv", "--output-dir", "out", "--format", "svg", "--profile", "mailto-uri"});
    ASSERT_TRUE(batch.Ok()) << batch.Error().message;
    EXPECT_EQ(batch->batchFormat, SymbolFileFormat::Svg);
    EXPECT_EQ(batch->mailProfile, MailProfile::MailtoUri);

    const ParsedOptions decode = Parse({"--decode", "--json", "a.png", "b.pdf"});
    ASSERT_TRUE(decode.Ok()) << decode.Error().message;
    EXPECT_TRUE(decode->decode && decode->json);
    EXPECT_EQ(decode->decodePaths, (std::vector<std::string>{"a.png", "b.pdf"}));

    EXPECT_TRUE(Parse({"--help"})->help);
    EXPECT_EQ(Parse({"-o", "x.png", "--", "-x"})->text, "-x");
}

TEST(Options, UsageErrors)
{
    const std::vector<std::vector<const char*>> cases = {
        {"-o", "a.png"},                       // no TEXT
        {"a"},                                 // no -o
        {"-o", "a.gif", "a"},                  // no format
        {"-o", "a.png", "--level", "X", "a"},  // out of range ...
        {"-o", "a.png", "--version", "16", "a"},
        {"-o", "a.png", "--version", "0", "a"},
        {"-o", "a.png", "--split", "17", "a"},
        {"-o", "a.png", "--split", "0", "a"},
        {"-o", "a.png", "--cell", "0.65", "a"},
        {"-o", "a.png", "--bogus", "a"},            // unknown
        {"-o", "a.png", "--split"},                 // value missing
        {"-o", "a.png", "a", "b"},                  // two TEXTs
        {"-o", "a.png", "--format", "png", "a"},    // batch option alone
        {"--kind", "address", "--batch", "a.csv"},  // no --output-dir
        {"--kind", "address", "--batch", "a.csv", "--output-dir", "d", "--profile", "mailto-uri"},
        {"--kind", "text", "--batch", "a.csv", "--output-dir", "d", "x"},
        {"--decode"},                           // no FILE
        {"--decode", "--level", "H", "a.png"},  // an option that makes codes
        {"--json", "a.png"},                    // --json alone
        {"--decode=yes", "a.png"},
    };
    for (const auto& args : cases) {
        const ParsedOptions parsed = ParseOptions({args.begin(), args.end()});
        EXPECT_FALSE(parsed.Ok()) << args[args.size() - 1];
        EXPECT_FALSE(parsed.Ok() || parsed.Error().message.empty());
    }
}

}  // namespace
}  // namespace nubora::cli
