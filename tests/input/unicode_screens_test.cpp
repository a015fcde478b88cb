// Characters outside Shift_JIS through the three real screens on the fake
// host: in the
// standard form what is typed becomes a UTF-8 code with an ECI that zbar and
// zxing-cpp read back byte for byte (zxing every part of a split alone too,
// as whole characters), and a
// data file that keeps it; the legacy form refuses such characters once per
// field and names them at 作成, keeping everything typed.
#include "decoders.h"
#include "fake_screen_host.h"
#include "held_symbol.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "temp_folder.h"
#include "typing.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace ab = ctl::addressBook;
const QString kSaki = QString::fromUtf8("\xEF\xA8\x91");  // U+FA11, kept from any normalising editor

class UnicodeScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (InputScreenDialog* screen : std::initializer_list<InputScreenDialog*>{&book, &mail, &freeText})
            host.Hold(*screen);
    }

    // Opens `id` as the menu does, emptied, in `form`.
    InputScreenDialog& Open(ScreenId id, PayloadForm form)
    {
        host.OpenScreen(id);
        InputScreenDialog& screen = id == ScreenId::Mail       ? static_cast<InputScreenDialog&>(mail)
                                    : id == ScreenId::FreeText ? static_cast<InputScreenDialog&>(freeText)
                                                               : book;
        screen.ClearEntries();
        host.state.codeSettings.form = form;
        screen.UpdateData(fw::Exchange::ToControls);
        return screen;
    }
    // As the settings dialog does: what is typed taken, the form set, the screen refreshed.
    void SetForm(InputScreenDialog& screen, PayloadForm form)
    {
        screen.KeepShownInput();
        host.state.codeSettings.form = form;
        screen.UpdateData(fw::Exchange::ToControls);
    }
    void Type(InputScreenDialog& screen, int field, const QString& text)
    {
        screen.Control(field)->setFocus(Qt::OtherFocusReason);
        nubora::testing::TypeText(screen.Control(field), text);
        QApplication::processEvents();
    }
    const std::vector<fw::testing::RecordedBox>& Boxes() { return services.messages.Boxes(); }

    fw::testing::ScriptedServices services;
    nubora::testing::FakeScreenHost host;
    AddressBookDialog book{host};
    MailDialog mail{host};
    FreeTextDialog freeText{host};
};

struct RoundTrip {
    const char* what;
    ScreenId screen;
    std::vector<std::pair<int, QString>> typed;  // field, text
    int splitCount;
    std::string payload;  // UTF-8
};

TEST_F(UnicodeScreensTest, StandardCodesReadBackByteForByteInZbarAndZxingPartByPartToo)
{
    const QString mixed = QStringLiteral("髙") + kSaki + QStringLiteral("①㈱éµ한국😀田中");
    const std::string mixedUtf8 = mixed.toStdString();
    const RoundTrip cases[] = {
        {"AddressBook",
         ScreenId::AddressBook,
         {{ab::kName, QStringLiteral("山田髙志")}, {ab::kMemo, kSaki + QStringLiteral("①㈱ é µ")}},
         1,
         "MECARD:N:山田髙志;NOTE:" + kSaki.toStdString() + "①㈱ é µ;;"},
        {"Mail",
         ScreenId::Mail,
         {{ctl::mail::kTo, QStringLiteral("taro@example.jp")}, {ctl::mail::kSubject, QStringLiteral("Café 한국😀")}},
         1,
         "mailto:taro@example.jp?subject=Caf%C3%A9%20%ED%95%9C%EA%B5%AD%F0%9F%98%80"},
        {"TwoKanjiThatZbarMisreadsWithoutAnEci", ScreenId::FreeText, {{ctl::freeText::kText, "田中"}}, 1, "田中"},
        {"SplitIntoFour",
         ScreenId::FreeText,
         {{ctl::freeText::kText, mixed + mixed + mixed}},
         4,
         mixedUtf8 + mixedUtf8 + mixedUtf8},
    };
    for (const RoundTrip& c : cases) {
        InputScreenDialog& screen = Open(c.screen, PayloadForm::Standard);
        host.state.codeSettings.splitCount = c.splitCount;
        for (const auto& [field, text] : c.typed)
            Type(screen, field, text);
        screen.OnCreateCode();
        ASSERT_EQ(host.state.codeBitmaps.Count(), c.splitCount) << c.what;
        std::string zxingJoined;
        std::vector<peers::GreyImage> parts;
        for (int i = 0; i < c.splitCount; ++i) {
            const peers::ZxingReading zxing = nubora::testing::ReadHeldSymbol(host.state, i);
            EXPECT_TRUE(zxing.hasEci) << c.what;
            EXPECT_EQ(zxing.text, zxing.bytes) << c.what << " part " << i;
            zxingJoined += zxing.bytes;
            parts.push_back(peers::RenderGrey(host.state.codeBitmaps.At(i)));
        }
        EXPECT_EQ(zxingJoined, c.payload) << c.what;
        EXPECT_EQ(peers::ReadWithZbar(peers::SideBySide(parts), true), std::vector<std::string>{c.payload}) << c.what;
        host.codeView.OnBack();
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(UnicodeScreensTest, TheLegacyFormRefusesOncePerFieldAndNamesWhatTheStandardFormTook)
{
    auto& screen = static_cast<AddressBookDialog&>(Open(ScreenId::AddressBook, PayloadForm::Legacy));
    Type(screen, ab::kName, QStringLiteral("éé"));
    Type(screen, ab::kMemo, QStringLiteral("😀"));
    Type(screen, ab::kName, QStringLiteral("é"));
    const QString refused = res::LoadString(res::str::kUncodedCharRefused);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, refused.arg(QStringLiteral("「é」")));
    EXPECT_EQ(Boxes()[1].text, refused.arg(QStringLiteral("「😀」")));
    EXPECT_EQ(screen.ControlAs<QLineEdit>(ab::kName)->text(), QString());

    SetForm(screen, PayloadForm::Standard);
    Type(screen, ab::kName, QStringLiteral("José"));
    Type(screen, ab::kMemo, QStringLiteral("한국"));
    SetForm(screen, PayloadForm::Legacy);
    screen.OnCreateCode();
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2].text,
              res::LoadString(res::str::kLegacyFormUncodedChars).arg(QStringLiteral("「é」「한」「국」")));
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(screen.name, "José");
    EXPECT_EQ(screen.ControlAs<QLineEdit>(ab::kMemo)->text(), QStringLiteral("한국"));
    SetForm(screen, PayloadForm::Standard);
    screen.OnCreateCode();
    EXPECT_FALSE(host.state.codeBitmaps.IsNull());
}

TEST_F(UnicodeScreensTest, ADataFileKeepsWhatWasTypedAsUtf8AfterAMark)
{
    const nubora::testing::TempFolder folder;
    const std::string path = folder.Path() + "/world.fqr";
    auto& screen = static_cast<FreeTextDialog&>(Open(ScreenId::FreeText, PayloadForm::Standard));
    Type(screen, ctl::freeText::kText, QStringLiteral("한국😀,µ"));
    services.files.ScriptSave(QString::fromStdString(path));
    screen.OnSaveInput();
    EXPECT_EQ(nubora::testing::Slurp(path), "\xEF\xBB\xBF한국😀\\,µ,\r\n");
    Open(ScreenId::FreeText, PayloadForm::Legacy);
    ASSERT_TRUE(screen.OpenInputFile(QString::fromStdString(path)));
    EXPECT_EQ(screen.ControlAs<QPlainTextEdit>(ctl::freeText::kText)->toPlainText(), QStringLiteral("한국😀,µ"));
    EXPECT_EQ(screen.text, "한국😀,µ");
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace nubora
