// The e-mail texts without a window: the MAILTO payload and the code view's
// summary, byte for byte.
#include "nubora/framework/cp932.h"
#include "nubora/logic/mail_text.h"

#include <gtest/gtest.h>

namespace nubora {
namespace {

// `utf8` as CP932 bytes, through iconv: an oracle independent of the
// escaped labels in the code.
std::string Sjis(const char* utf8) { return fw::ToCp932(QString::fromUtf8(utf8)).value(); }

TEST(MailPayload, TheRecipientLineIsAlwaysThere)
{
    EXPECT_EQ(MailPayload({}), "MAILTO:\r\n");
    EXPECT_EQ(MailPayload({"a@example.jp", "", ""}), "MAILTO:a@example.jp\r\n");
}

TEST(MailPayload, SubjectAndBodyLinesOnlyWhenTheyHoldText)
{
    EXPECT_EQ(MailPayload({"a@b", Sjis("件名"), ""}), "MAILTO:a@b\r\nSUBJECT:" + Sjis("件名") + "\r\n");
    EXPECT_EQ(MailPayload({"a@b", "", "hi"}), "MAILTO:a@b\r\nBODY:hi\r\n");
    EXPECT_EQ(MailPayload({"", "s", "b"}), "MAILTO:\r\nSUBJECT:s\r\nBODY:b\r\n");
}

TEST(MailPayload, TakesTheValuesUnchangedLineBreaksOfTheBodyIncluded)
{
    const MailEntry entry{"a@b.jp,c@d.jp", Sjis("ご案内 ＃１"), Sjis("一行目\r\n二行目\r\n\r\n")};
    EXPECT_EQ(MailPayload(entry), "MAILTO:a@b.jp,c@d.jp\r\nSUBJECT:" + Sjis("ご案内 ＃１") +
                                      "\r\nBODY:" + Sjis("一行目\r\n二行目\r\n\r\n") + "\r\n");
}

TEST(MailSummary, ShowsAllThreeLabelsAlsoForEmptyFields)
{
    EXPECT_EQ(MailSummary({}), Sjis("【宛先】 \r\n【件名】 \r\n【本文】 \r\n"));
    EXPECT_EQ(MailSummary({"x@y", "", Sjis("本文です")}), Sjis("【宛先】 x@y\r\n【件名】 \r\n【本文】 本文です\r\n"));
}

TEST(MailSummary, LabelsEndInOneSpaceWithoutATab)
{
    const std::string summary = MailSummary({"t", "s", "b"});
    EXPECT_EQ(summary.find('\t'), std::string::npos);
    EXPECT_EQ(summary, Sjis("【宛先】 t\r\n【件名】 s\r\n【本文】 b\r\n"));
}

}  // namespace
}  // namespace nubora
