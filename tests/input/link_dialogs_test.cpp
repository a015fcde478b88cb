// The three link dialogs on their own, driven as a user drives them while
// they are shown (no modal loop): template, prompt and limit, an empty field
// on every opening, OK with an empty field, the checks with 121 and 138,
// Cancel and Esc. Every box is answered by the scripted message service.
#include "nubora/framework/cp932.h"
#include "nubora/framework/cp932_edit.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/navi_link_dialog.h"
#include "nubora/input/one_seg_link_dialog.h"
#include "nubora/input/tel_link_dialog.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "screen_controls.h"
#include "typing.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstdlib>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace lid = ctl::links;
using fw::BoxType;
using nubora::testing::TypeText;

using nubora::testing::Sjis;

class LinkDialogsTest : public ::testing::Test {
protected:
    // Opens `dialog` as its run does (without the modal loop).
    static void Open(fw::Dialog& dialog)
    {
        dialog.Create(true);
        QApplication::setActiveWindow(&dialog);
    }
    static fw::Cp932LineEdit* Edit(fw::Dialog& dialog, int id)
    {
        auto* edit = dialog.ControlAs<fw::Cp932LineEdit>(id);
        if (!edit)
            std::abort();
        return edit;
    }
    static void Press(fw::Dialog& dialog, int buttonId) { QTest::mouseClick(dialog.Control(buttonId), Qt::LeftButton); }
    // Types `value` into field `id` of the open `dialog` and presses 挿入.
    static void Insert(fw::Dialog& dialog, int id, const QString& value)
    {
        TypeText(Edit(dialog, id), value);
        Press(dialog, ctl::kOk);
    }
    const std::vector<fw::testing::RecordedBox>& Boxes() { return services.messages.Boxes(); }
    void ExpectOneBox(int stringId, const QString& owner)
    {
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes().back().text, res::LoadString(stringId));
        EXPECT_EQ(Boxes().back().type, BoxType::Warning);
        EXPECT_EQ(Boxes().back().caption, QStringLiteral("ヌボラ"));
        EXPECT_EQ(Boxes().back().ownerTitle, owner);
    }

    fw::testing::ScriptedServices services;
    TelLinkDialog telLink;
    NaviLinkDialog naviLink;
    OneSegLinkDialog oneSegLink;
};

// --- Templates -----------------------------------------------------------

TEST_F(LinkDialogsTest, EachHasItsTitlePromptFieldAndButtonsAtTheTemplatePositions)
{
    const struct {
        fw::Dialog* dialog;
        const char* title;
        QSize size;
        const char* prompt;
        int edit;
        QRect editRect;
        int limit;
        QRect insertRect;
        QRect cancelRect;
    } cases[] = {
        {&telLink,
         "TELリンク",
         {187, 65},
         "電話番号を入力してください。",
         lid::kTelNumber,
         {15, 20, 155, 15},
         36,
         {38, 43, 50, 14},
         {98, 43, 50, 14}},
        {&naviLink,
         "ナビリンク",
         {187, 65},
         "住所を入力してください。",
         lid::kNaviAddress,
         {15, 20, 155, 15},
         80,
         {38, 43, 50, 14},
         {98, 43, 50, 14}},
        {&oneSegLink,
         "ワンセグリンク",
         {205, 65},
         "Mimoテレビ ワンセグの視聴予約用パラメータを入力してください。",
         lid::kOneSegParam,
         {14, 20, 177, 15},
         1250,
         {47, 44, 50, 14},
         {107, 44, 50, 14}},
    };
    for (const auto& c : cases) {
        fw::Dialog& d = *c.dialog;
        Open(d);
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(d.size(), d.Units().ToPixels(QRect(QPoint(0, 0), c.size)).size()) << c.title;
        EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint) << c.title;
        bool promptFound = false;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            if (label->text() != QString::fromUtf8(c.prompt))
                continue;
            promptFound = true;
            // The whole prompt shows, within the dialog.
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()) << c.title;
            EXPECT_TRUE(d.rect().contains(label->geometry())) << c.title;
        }
        EXPECT_TRUE(promptFound) << c.title;
        EXPECT_EQ(Edit(d, c.edit)->geometry(), d.Units().ToPixels(c.editRect)) << c.title;
        EXPECT_EQ(Edit(d, c.edit)->LimitBytes(), c.limit) << c.title;
        auto* insert = d.ControlAs<QPushButton>(ctl::kOk);
        auto* cancel = d.ControlAs<QPushButton>(ctl::kCancel);
        ASSERT_TRUE(insert && cancel);
        EXPECT_EQ(insert->text(), QStringLiteral("挿入"));
        EXPECT_TRUE(insert->isDefault());
        EXPECT_EQ(insert->geometry(), d.Units().ToPixels(c.insertRect)) << c.title;
        EXPECT_EQ(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        EXPECT_EQ(cancel->geometry(), d.Units().ToPixels(c.cancelRect)) << c.title;
        EXPECT_EQ(d.FocusedControlId() == c.edit || d.focusWidget() == Edit(d, c.edit), true) << c.title;
        d.reject();
    }
}

// --- TEL -----------------------------------------------------------------

TEST_F(LinkDialogsTest, ATelNumberInFullWidthWithStarAndHashIsTakenAsTyped)
{
    TelLinkDialog& d = telLink;
    Open(d);
    Insert(d, lid::kTelNumber, QStringLiteral("＊０３－１２３４＃"));
    EXPECT_TRUE(d.HasEnded());
    EXPECT_EQ(d.EndResult(), QDialog::Accepted);
    EXPECT_EQ(d.telNumber, Sjis("＊０３－１２３４＃"));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LinkDialogsTest, ABadTelNumberIsRefusedWith121AndTheDialogStaysOpen)
{
    TelLinkDialog& d = telLink;
    Open(d);
    Insert(d, lid::kTelNumber, QStringLiteral("03(1234)"));
    ExpectOneBox(res::str::kBadTelChars, QStringLiteral("TELリンク"));
    EXPECT_FALSE(d.HasEnded());
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Edit(d, lid::kTelNumber)->text(), QStringLiteral("03(1234)"));
    EXPECT_EQ(Edit(d, lid::kTelNumber)->cursorPosition(), 0);
    EXPECT_FALSE(Edit(d, lid::kTelNumber)->hasSelectedText());
    d.reject();
}

TEST_F(LinkDialogsTest, EnterInTheFieldIsInsert)
{
    TelLinkDialog& d = telLink;
    Open(d);
    TypeText(Edit(d, lid::kTelNumber), QStringLiteral("117"));
    QTest::keyClick(Edit(d, lid::kTelNumber), Qt::Key_Return);
    EXPECT_TRUE(d.HasEnded());
    EXPECT_EQ(d.EndResult(), QDialog::Accepted);
    EXPECT_EQ(d.telNumber, "117");
}

// --- Every dialog: empty OK, cancel, Esc, a fresh field on each opening ---

TEST_F(LinkDialogsTest, OkWithAnEmptyFieldDoesNothing)
{
    for (auto [dialog, id] : {std::pair<fw::Dialog*, int>{&telLink, lid::kTelNumber},
                              {&naviLink, lid::kNaviAddress},
                              {&oneSegLink, lid::kOneSegParam}}) {
        Open(*dialog);
        Press(*dialog, ctl::kOk);
        EXPECT_FALSE(dialog->HasEnded()) << dialog->windowTitle().toStdString();
        EXPECT_TRUE(dialog->isVisible());
        dialog->reject();
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LinkDialogsTest, CancelAndEscCloseWithCancel)
{
    NaviLinkDialog& d = naviLink;
    Open(d);
    TypeText(Edit(d, lid::kNaviAddress), QStringLiteral("京都"));
    Press(d, ctl::kCancel);
    EXPECT_TRUE(d.HasEnded());
    EXPECT_EQ(d.EndResult(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());

    OneSegLinkDialog& o = oneSegLink;
    Open(o);
    TypeText(Edit(o, lid::kOneSegParam), QStringLiteral("ch=1"));
    QTest::keyClick(Edit(o, lid::kOneSegParam), Qt::Key_Escape);
    EXPECT_TRUE(o.HasEnded());
    EXPECT_EQ(o.EndResult(), QDialog::Rejected);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LinkDialogsTest, EveryOpeningStartsWithAnEmptyField)
{
    NaviLinkDialog& d = naviLink;
    Open(d);
    Insert(d, lid::kNaviAddress, QStringLiteral("札幌市"));
    ASSERT_EQ(d.naviAddress, Sjis("札幌市"));
    Open(d);
    EXPECT_EQ(Edit(d, lid::kNaviAddress)->text(), QString());
    EXPECT_EQ(d.naviAddress, "");
    d.reject();
}

// --- Navi ----------------------------------------------------------------

TEST_F(LinkDialogsTest, AKanjiNaviAddressIsAccepted)
{
    NaviLinkDialog& d = naviLink;
    Open(d);
    Insert(d, lid::kNaviAddress, QStringLiteral("東京都千代田区丸の内一丁目 \"駅前\""));
    EXPECT_EQ(d.EndResult(), QDialog::Accepted);
    EXPECT_EQ(d.naviAddress, Sjis("東京都千代田区丸の内一丁目 \"駅前\""));
    EXPECT_TRUE(Boxes().empty());
}

// --- One-seg -------------------------------------------------------------

class OneSegRefusalTest : public LinkDialogsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(OneSegRefusalTest, IsRefusedWith138)
{
    OneSegLinkDialog& d = oneSegLink;
    Open(d);
    Insert(d, lid::kOneSegParam, QString::fromUtf8(GetParam()));
    ExpectOneBox(res::str::kBadOneSegChars, QStringLiteral("ワンセグリンク"));
    EXPECT_FALSE(d.HasEnded());
    EXPECT_EQ(Edit(d, lid::kOneSegParam)->cursorPosition(), 0);
    EXPECT_EQ(d.focusWidget(), Edit(d, lid::kOneSegParam));
    d.reject();
}

INSTANTIATE_TEST_SUITE_P(SpaceQuoteGraveAndMore, OneSegRefusalTest,
                         ::testing::Values("ch=27 t=2100", "title=\"news\"", "a`b", "ch=２７"));

TEST_F(LinkDialogsTest, EveryOtherPrintableAsciiCharacterIsAcceptedInTheOneSegParameter)
{
    std::string all;
    for (char c = 0x21; c <= 0x7E; ++c) {
        if (c != '"' && c != '`')
            all.push_back(c);
    }
    OneSegLinkDialog& d = oneSegLink;
    Open(d);
    Insert(d, lid::kOneSegParam, QString::fromLatin1(all.c_str()));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(d.EndResult(), QDialog::Accepted);
    EXPECT_EQ(d.oneSegParam, all);
}

}  // namespace
}  // namespace nubora
