// The string table, byte for byte, in Unicode and in CP932.
#include "nubora/framework/cp932.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <gtest/gtest.h>

#include <set>

namespace nubora::res {
namespace {

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

TEST(StringTable, HoldsTheAboutItemOfTheContextMenu)
{
    EXPECT_EQ(LoadString(str::kAboutMenuItem), QStringLiteral("ヌボラ のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    // Half-width katakana are single bytes; the space after ヌボラ is ASCII.
    EXPECT_EQ(Hex(LoadStringBytes(str::kAboutMenuItem)),
              "83 6B 83 7B 83 89 20 82 CC CA DE B0 BC DE AE DD 8F EE 95 F1 28 26 41 29 2E 2E 2E");
}

TEST(StringTable, HoldsTheSecondCopyMessage)
{
    EXPECT_EQ(LoadString(str::kAlreadyRunning), QStringLiteral("「ヌボラ」は既に起動しています。"));
    EXPECT_EQ(Hex(LoadStringBytes(str::kAlreadyRunning)).substr(0, 23), "81 75 83 6B 83 7B 83 89");
}

TEST(StringTable, HoldsTheCaptionAndTheSecondTitle)
{
    EXPECT_EQ(Hex(LoadStringBytes(str::kCaption)), "83 6B 83 7B 83 89");
    EXPECT_EQ(Hex(LoadStringBytes(str::kProTitle)), "83 6B 83 7B 83 89 50 72 6F");
    EXPECT_EQ(LoadString(str::kProTitle), QStringLiteral("ヌボラPro"));
}

TEST(StringTable, HoldsTheTrailingBackslashQuestionWithSingleByteBackslashes)
{
    EXPECT_EQ(LoadString(str::kTrailingBackslashQuestion),
              QStringLiteral("半角の「\\」で終わる項目は、末尾の「\\」を除いて保存されます。よろしいですか？"));
    // 「 \ 」 is 81 75 5C 81 76: the backslash is the single byte 5C.
    EXPECT_EQ(Hex(LoadStringBytes(str::kTrailingBackslashQuestion)).substr(0, 41),
              "94 BC 8A 70 82 CC 81 75 5C 81 76 82 C5 8F");
}

TEST(StringTable, HoldsTheExitQuestions)
{
    EXPECT_EQ(LoadString(str::kExitQuestion), QStringLiteral("ヌボラを終了します。よろしいですか？"));
    EXPECT_EQ(LoadString(str::kExitDiscardEdits),
              QStringLiteral("ヌボラを終了します。編集中のデータは破棄されます。よろしいですか？"));
    EXPECT_EQ(LoadString(str::kExitDiscardUnsaved),
              QStringLiteral("ヌボラを終了します。保存されていないデータは破棄されますがよろしいですか？"));
    // The question mark is full-width: 81 48.
    const std::string bytes = LoadStringBytes(str::kExitQuestion);
    EXPECT_EQ(Hex(bytes.substr(bytes.size() - 2)), "81 48");
}

TEST(StringTable, HoldsTheClipboardMessageWithLineBreaksAndFormats)
{
    EXPECT_EQ(LoadString(str::kCopiedToClipboard),
              QStringLiteral("QRコードをクリップボードにコピーしました。\nコピーしたQRコードの最適な大きさは\n"
                             "｢%0.2f×%0.2f｣(単位：mm)です。"));
    const std::string bytes = LoadStringBytes(str::kCopiedToClipboard);
    // Half-width corner brackets A2 / A3 and the multiplication sign 81 7E.
    EXPECT_NE(bytes.find("\xA2%0.2f\x81\x7E%0.2f\xA3"), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2);
}

TEST(StringTable, HoldsEveryMessageOfTheCatalogue)
{
    const std::pair<int, const char*> expected[] = {
        {str::kBackToMenuQuestion, "メインメニューへ戻ります。よろしいですか？"},
        {str::kBackToMenuDiscardEdits, "メインメニューへ戻ります。編集中のデータは破棄されます。よろしいですか？"},
        {str::kClearInputQuestion, "編集中のデータをクリアします。よろしいですか？"},
        {str::kBadTelChars, "電話番号に不正な文字が含まれています。"},
        {str::kBadMailChars, "Eメールアドレスに不正な文字が含まれています。"},
        {str::kBadMailToChars, "宛先に不正な文字が含まれています。"},
        {str::kEmptyMailTo, "宛先を入力してください。"},
        {str::kEmptyText, "データを入力してください。"},
        {str::kDataTooLong, "処理可能な最大文字列数を超えています。"},
        {str::kEncodeFailed, "QRコードの作成に失敗しました。"},
        {str::kFileOpenFailed, "ファイルのオープンに失敗しました。"},
        {str::kFileReadFailed, "ファイルの読み込みに失敗しました。"},
        {str::kWrongFileKind, "専用のデータファイル以外は開けません。"},
        {str::kBadReadingChars, "名前（ヨミ）に不正な文字が含まれています。"},
        {str::kCapacityQueryFailed, "QRコードの格納可能メッセージデータ容量の取得に失敗しました。"},
        {str::kBackToMenuDiscardUnsaved,
         "メインメニューへ戻ります。保存されていないデータは破棄されますがよろしいですか？"},
        {str::kSplitImpossible, "指定された分割数でコードを生成することが出来ません。"},
        {str::kFileInUse, "他のアプリケーションがファイルを使用中のため開くことが出来ません。"},
        {str::kBadOneSegChars, "ワンセグリンク文字列に不正な文字が含まれています。"},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(LoadString(id), QString::fromUtf8(text)) << "string " << id;
}

TEST(StringTable, HasExactlyTheCatalogueIds)
{
    std::set<int> ids;
    for (const StringEntry& entry : StringTable())
        ids.insert(entry.id);
    std::set<int> expected{101};
    for (int id = 110; id <= 115; ++id)
        expected.insert(id);
    for (int id = 120; id <= 182; ++id)
        expected.insert(id);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(ids.size(), StringTable().size());
    for (int id = 116; id <= 119; ++id)
        EXPECT_TRUE(LoadString(id).isEmpty()) << id;
}

TEST(StringTable, EveryTextHasACp932Code)
{
    for (const StringEntry& entry : StringTable())
        EXPECT_TRUE(fw::ToCp932(QString::fromUtf8(entry.utf8)).has_value()) << "string " << entry.id;
}

TEST(StringTable, UnknownIdsAreEmpty)
{
    EXPECT_TRUE(LoadString(0).isEmpty());
    EXPECT_TRUE(LoadStringBytes(999).empty());
}

TEST(MessageCatalogue, GivesEachMessageItsBoxType)
{
    for (int id : {str::kExitQuestion, str::kExitDiscardEdits, str::kExitDiscardUnsaved, str::kBackToMenuQuestion,
                   str::kBackToMenuDiscardEdits, str::kClearInputQuestion, str::kBackToMenuDiscardUnsaved,
                   str::kTrailingBackslashQuestion})
        EXPECT_EQ(MessageType(id), fw::BoxType::Question) << id;
    for (int id :
         {str::kAlreadyRunning, str::kDataTooLong, str::kEncodeFailed, str::kSplitImpossible, str::kReadBackFailed})
        EXPECT_EQ(MessageType(id), fw::BoxType::Error) << id;
    for (int id : {str::kBadTelChars, str::kBadMailChars, str::kBadMailToChars, str::kEmptyMailTo, str::kEmptyText,
                   str::kFileOpenFailed, str::kFileReadFailed, str::kWrongFileKind, str::kBadReadingChars,
                   str::kCapacityQueryFailed, str::kFileInUse, str::kBadOneSegChars})
        EXPECT_EQ(MessageType(id), fw::BoxType::Warning) << id;
    for (int id : {str::kCopiedToClipboard, str::kNoPrinter})
        EXPECT_EQ(MessageType(id), fw::BoxType::Notice) << id;
}

}  // namespace
}  // namespace nubora::res
