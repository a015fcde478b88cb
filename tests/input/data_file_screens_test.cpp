// Saving and opening the data files from the three input screens, driven
// through their buttons on the fake host: the file dialogs each kind
// asks for, the bytes on disk, reopening into the fields, and every failure
// with its message and the input left as it was. The file dialogs and the
// boxes are answered by the scripted services; the files are real.
#include "input_screen_fixture.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/cp932_edit.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "nubora/logic/validation.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "screen_controls.h"
#include "temp_folder.h"
#include "typing.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace bid = ctl::input;
namespace ab = ctl::addressBook;
using fw::Answer;
using fw::BoxType;
using nubora::testing::Sjis;
using nubora::testing::Slurp;
using nubora::testing::Spill;
using nubora::testing::TempFolder;

// $HOME pointed at a folder of the test's own while it runs.
class ScopedHome {
public:
    explicit ScopedHome(const std::string& path) : old_(qgetenv("HOME")) { qputenv("HOME", path.c_str()); }
    ~ScopedHome() { qputenv("HOME", old_); }
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

private:
    QByteArray old_;
};

template <class Screen>
class ScreenTest : public nubora::testing::InputScreenFixture<Screen> {
protected:
    using Base = nubora::testing::InputScreenFixture<Screen>;
    using Base::Click;
    using Base::services;
    using Base::screen;

    void SetUp() override
    {
        ASSERT_TRUE(folder.Valid());
        Base::SetUp();
    }
    // Saves to / opens `path` through the buttons, the dialog choosing it.
    void SaveAs(const std::string& path)
    {
        services.files.ScriptSave(QString::fromStdString(path));
        Click(bid::kSaveInput);
    }
    void Open(const std::string& path)
    {
        services.files.ScriptOpen(QString::fromStdString(path));
        Click(bid::kOpenInput);
    }
    void TypeInto(int id, const QString& text)
    {
        QWidget* field = screen.Control(id);
        ASSERT_NE(field, nullptr);
        field->setFocus(Qt::MouseFocusReason);
        nubora::testing::TypeText(field, text);
    }
    void UseManualMode(int availableLength)
    {
        this->host.state.codeSettings.autoAdjust = 0;
        this->host.state.codeSettings.availableLength = availableLength;
        screen.ShowManualPresentation();
    }
    int GaugeValue() { return this->template As<QProgressBar>(bid::kGauge)->value(); }
    void ExpectNoDialog() { EXPECT_TRUE(services.files.Requests().empty()); }

    TempFolder folder;
};

// "表" and "ソ": their second byte is 0x5C.
const std::string kOmote = "\x95\x5C";
const std::string kSo = "\x83\x5C";

// --- Address book ------------------------------------------------------------

using AddressBookFileTest = ScreenTest<AddressBookDialog>;

TEST_F(AddressBookFileTest, SavesTheTypedEntryAsOneLineOfEightFields)
{
    TypeInto(ab::kName, QStringLiteral("山田, 太郎"));
    TypeInto(ab::kReading, QStringLiteral("ﾔﾏﾀﾞ"));
    TypeInto(ab::kTel1, QStringLiteral("03-1234-5678"));
    TypeInto(ab::kMail2, QStringLiteral("taro@example.jp"));
    TypeInto(ab::kAddress, QStringLiteral("東京都千代田区表"));
    SaveAs(folder / "entry.aqr");
    EXPECT_TRUE(Boxes().empty()) << "no message on success";
    EXPECT_EQ(Slurp(folder / "entry.aqr"), Sjis("山田\\, 太郎,ﾔﾏﾀﾞ,03-1234-5678,,,taro@example.jp,東京都千代田区表,,"));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"entry.aqr"});
}

TEST_F(AddressBookFileTest, AnEmptyEntryIsSavedAsEightCommas)
{
    SaveAs(folder / "empty.aqr");
    EXPECT_EQ(Slurp(folder / "empty.aqr"), ",,,,,,,,");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(AddressBookFileTest, TheDialogsAskForAqrFilesInTheCsvFolderWhenItExists)
{
    const ScopedHome home(folder.Path());
    services.files.ScriptSave(QString());
    services.files.ScriptOpen(QString());
    Click(bid::kSaveInput);
    ASSERT_EQ(::mkdir((folder / "CSV").c_str(), 0700), 0);
    Click(bid::kOpenInput);
    const auto& requests = services.files.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const fw::FileDialogRequest& r : requests) {
        EXPECT_EQ(r.filter, QStringLiteral("アドレス帳用データファイル(*.aqr)|*.aqr||"));
        EXPECT_EQ(r.defaultSuffix, QStringLiteral("aqr"));
    }
    EXPECT_EQ(requests[0].initialFolder, QString::fromStdString(folder.Path()));
    EXPECT_EQ(requests[1].initialFolder, QString::fromStdString(folder / "CSV"));
    EXPECT_TRUE(Boxes().empty()) << "cancel is silent";
    EXPECT_TRUE(folder.Names() == std::vector<std::string>{"CSV"}) << "cancel writes nothing";
}

TEST_F(AddressBookFileTest, OpeningReplacesEveryFieldWithoutAQuestionAndUpdatesTheGauge)
{
    UseManualMode(100);
    TypeInto(ab::kName, QStringLiteral("前の名前"));
    TypeInto(ab::kMemo, QStringLiteral("前のメモ"));
    const std::string file = Sjis("佐藤\\,花子,,090-0000-0000,,,,") + kOmote + "," + std::string(30, 'm') + ",";
    ASSERT_TRUE(Spill(folder / "other.aqr", file));
    Open(folder / "other.aqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(screen.name, Sjis("佐藤,花子"));
    EXPECT_EQ(screen.reading, "");
    EXPECT_EQ(screen.tel1, "090-0000-0000");
    EXPECT_EQ(screen.address, kOmote) << "the trail byte 0x5C is no escape";
    EXPECT_EQ(screen.memo, std::string(30, 'm'));
    EXPECT_EQ(As<QLineEdit>(ab::kName)->text(), QStringLiteral("佐藤,花子"));
    EXPECT_EQ(As<QLineEdit>(ab::kAddress)->text(), QStringLiteral("表"));
    EXPECT_EQ(As<QLineEdit>(ab::kMemo)->text(), QString(30, QLatin1Char('m')));
    // MEMORY 7 + 30 + 2, NAME1 6 + 9 + 2, TEL1 5 + 13 + 2, ADD 4 + 2 + 2: 84 bytes of 100.
    EXPECT_EQ(GaugeValue(), GaugePosition(false, static_cast<int64_t>(screen.BuildPayload().size()), 100));
    EXPECT_EQ(GaugeValue(), 80);
}

TEST_F(AddressBookFileTest, SavedAndReopenedTheEntryComesBackExactly)
{
    TypeInto(ab::kName, QStringLiteral("a,b\\c,"));
    TypeInto(ab::kReading, QStringLiteral("ｿ"));
    TypeInto(ab::kAddress, QStringLiteral("表,ソ"));
    TypeInto(ab::kMemo, QStringLiteral("メモ\\,"));
    SaveAs(folder / "round.aqr");
    const AddressBookEntry typed = screen.Entry();
    ASSERT_EQ(typed.memo, Sjis("メモ\\,"));
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kClearInput);
    ASSERT_TRUE(screen.IsAllEmpty());
    Open(folder / "round.aqr");
    EXPECT_EQ(screen.Entry(), typed);
    ExpectOneBox(res::str::kClearInputQuestion, BoxType::Question);
}

TEST_F(AddressBookFileTest, SaveStopsAtAFailingCheckBeforeTheDialog)
{
    TypeInto(ab::kTel2, QStringLiteral("abc"));
    SaveAs(folder / "x.aqr");
    ExpectOneBox(res::str::kBadTelChars, BoxType::Warning);
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(AddressBookFileTest, OtherExtensionsAreRefusedWith132AndNothingChanges)
{
    TypeInto(ab::kName, QStringLiteral("今の名前"));
    ASSERT_TRUE(Spill(folder / "upper.AQR", "x,"));
    ASSERT_TRUE(Spill(folder / "mail.eqr", "x,"));
    ASSERT_TRUE(Spill(folder / "aqr", "x,"));
    ASSERT_TRUE(Spill(folder / "entry.aqr.txt", "x,"));
    for (const char* name : {"upper.AQR", "mail.eqr", "aqr", "entry.aqr.txt"}) {
        services.messages.Clear();
        Open(folder / name);
        ExpectOneBox(res::str::kWrongFileKind, BoxType::Warning);
        EXPECT_EQ(As<QLineEdit>(ab::kName)->text(), QStringLiteral("今の名前")) << name;
    }
}

TEST_F(AddressBookFileTest, AnEmptyFileGives131AndAMissingOne130KeepingTheInput)
{
    TypeInto(ab::kMemo, QStringLiteral("残る"));
    ASSERT_TRUE(Spill(folder / "empty.aqr", ""));
    Open(folder / "empty.aqr");
    ExpectOneBox(res::str::kFileReadFailed, BoxType::Warning);
    services.messages.Clear();
    Open(folder / "gone.aqr");
    ExpectOneBox(res::str::kFileOpenFailed, BoxType::Warning);
    services.messages.Clear();
    ASSERT_EQ(::mkdir((folder / "folder.aqr").c_str(), 0700), 0);
    Open(folder / "folder.aqr");
    ExpectOneBox(res::str::kFileOpenFailed, BoxType::Warning);
    EXPECT_EQ(As<QLineEdit>(ab::kMemo)->text(), QStringLiteral("残る"));
}

TEST_F(AddressBookFileTest, ATrailingBackslashIsDroppedOnlyOnceTheUserAgrees)
{
    TypeInto(ab::kMemo, QStringLiteral("C:\\"));
    services.messages.ScriptAnswers({Answer::No});
    SaveAs(folder / "memo.aqr");
    ExpectOneBox(res::str::kTrailingBackslashQuestion, BoxType::Question);
    EXPECT_TRUE(folder.Names().empty()) << "No: no dialog, nothing written";

    services.messages.Clear();
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kSaveInput);  // the path scripted above is still unused
    ExpectOneBox(res::str::kTrailingBackslashQuestion, BoxType::Question);
    EXPECT_EQ(Slurp(folder / "memo.aqr"), ",,,,,,,C:,");
    EXPECT_EQ(screen.memo, "C:\\") << "the screen keeps what was typed";
}

TEST_F(AddressBookFileTest, APlaceThatCannotBeWrittenGives130AndChangesNothing)
{
    ASSERT_TRUE(Spill(folder / "old.aqr", "old,"));
    TypeInto(ab::kName, QStringLiteral("new"));
    // A file where a folder should be, and a folder that does not exist.
    for (const char* target : {"old.aqr/inner.aqr", "missing/new.aqr"}) {
        services.messages.Clear();
        SaveAs(folder / target);
        ExpectOneBox(res::str::kFileOpenFailed, BoxType::Warning);
    }
    EXPECT_EQ(Slurp(folder / "old.aqr"), "old,");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.aqr"});
    EXPECT_EQ(As<QLineEdit>(ab::kName)->text(), QStringLiteral("new"));
}

// --- E-mail --------------------------------------------------------------------

using MailFileTest = ScreenTest<MailDialog>;
namespace ml = ctl::mail;

TEST_F(MailFileTest, ABodyWithLineBreaksIsStoredWithCrCrLfAndComesBack)
{
    // A pasted body keeps its line breaks; Enter does not reach the field.
    screen.body = Sjis("一行目\r\n二行目,\r\n");
    screen.UpdateData(fw::Exchange::ToControls);
    TypeInto(ml::kTo, QStringLiteral("a@example.jp,b@example.jp"));
    TypeInto(ml::kSubject, QStringLiteral("件名"));
    SaveAs(folder / "mail.eqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Slurp(folder / "mail.eqr"), Sjis("a@example.jp\\,b@example.jp,件名,一行目\r\r\n二行目\\,\r\r\n,"));
    const MailEntry saved = screen.Entry();

    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kClearInput);
    ASSERT_TRUE(screen.IsAllEmpty());
    Open(folder / "mail.eqr");
    EXPECT_EQ(screen.Entry(), saved);
    EXPECT_EQ(As<QPlainTextEdit>(ml::kBody)->toPlainText(), QStringLiteral("一行目\n二行目,\n"));
}

TEST_F(MailFileTest, TheDialogsAskForEqrFiles)
{
    const ScopedHome home(folder.Path());
    TypeInto(ml::kTo, QStringLiteral("a@b"));
    services.files.ScriptSave(QString());
    services.files.ScriptOpen(QString());
    Click(bid::kSaveInput);
    Click(bid::kOpenInput);
    ASSERT_EQ(services.files.Requests().size(), 2u);
    for (const fw::FileDialogRequest& r : services.files.Requests()) {
        EXPECT_EQ(r.filter, QStringLiteral("Eメール用データファイル(*.eqr)|*.eqr||"));
        EXPECT_EQ(r.defaultSuffix, QStringLiteral("eqr"));
        EXPECT_EQ(r.initialFolder, QString::fromStdString(folder.Path()));
    }
}

TEST_F(MailFileTest, SaveRequiresTheRecipient)
{
    TypeInto(ml::kSubject, QStringLiteral("件名だけ"));
    SaveAs(folder / "m.eqr");
    ExpectOneBox(res::str::kEmptyMailTo, BoxType::Warning);
    ExpectNoDialog();
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(MailFileTest, OpeningAnEmptyOrAnAddressBookFileKeepsTheInput)
{
    TypeInto(ml::kTo, QStringLiteral("keep@example.jp"));
    ASSERT_TRUE(Spill(folder / "empty.eqr", ""));
    ASSERT_TRUE(Spill(folder / "entry.aqr", ",,,,,,,,"));
    Open(folder / "empty.eqr");
    ExpectOneBox(res::str::kFileReadFailed, BoxType::Warning);
    services.messages.Clear();
    Open(folder / "entry.aqr");
    ExpectOneBox(res::str::kWrongFileKind, BoxType::Warning);
    EXPECT_EQ(As<QLineEdit>(ml::kTo)->text(), QStringLiteral("keep@example.jp"));
}

TEST_F(MailFileTest, AFileWithFewerFieldsEmptiesTheRestAndUpdatesTheGauge)
{
    UseManualMode(50);
    TypeInto(ml::kSubject, QStringLiteral("old subject"));
    TypeInto(ml::kBody, QStringLiteral("old body"));
    ASSERT_TRUE(Spill(folder / "short.eqr", "x@y,tail without comma"));
    Open(folder / "short.eqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(screen.Entry(), (MailEntry{"x@y", "", ""}));
    EXPECT_EQ(GaugeValue(), GaugePosition(false, static_cast<int64_t>(screen.BuildPayload().size()), 50));
}

// --- Free text -------------------------------------------------------------------

using FreeTextFileTest = ScreenTest<FreeTextDialog>;
namespace ft = ctl::freeText;

TEST_F(FreeTextFileTest, SeveralLinesAreSavedAsOneLfLineEndedByCrLfAndComeBack)
{
    screen.text = Sjis("一行目\r\n二行目, ソ\r\nTEL:0312345678");
    screen.UpdateData(fw::Exchange::ToControls);
    SaveAs(folder / "text.fqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Slurp(folder / "text.fqr"), Sjis("一行目\n二行目\\, ソ\nTEL:0312345678,\r\n"));
    const std::string saved = screen.text;

    UseManualMode(30);  // the 34 bytes fill it
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kClearInput);
    ASSERT_TRUE(screen.IsAllEmpty());
    Open(folder / "text.fqr");
    EXPECT_EQ(screen.text, saved);
    EXPECT_EQ(As<QPlainTextEdit>(ft::kText)->toPlainText(), QStringLiteral("一行目\n二行目, ソ\nTEL:0312345678"));
    EXPECT_EQ(GaugeValue(), 100);
}

TEST_F(FreeTextFileTest, SavingOverAnExistingFileReplacesIt)
{
    ASSERT_TRUE(Spill(folder / "old.fqr", std::string(4000, 'o') + ",\r\n"));
    TypeInto(ft::kText, QStringLiteral("new"));
    SaveAs(folder / "old.fqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Slurp(folder / "old.fqr"), "new,\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.fqr"});
    const fw::FileDialogRequest& r = services.files.Requests().at(0);
    EXPECT_EQ(r.filter, QStringLiteral("フリーテキスト用データファイル(*.fqr)|*.fqr||"));
    EXPECT_EQ(r.defaultSuffix, QStringLiteral("fqr"));
}

TEST_F(FreeTextFileTest, AnEmptyTextIsNotSaved)
{
    SaveAs(folder / "t.fqr");
    ExpectOneBox(res::str::kEmptyText, BoxType::Warning);
    ExpectNoDialog();
}

TEST_F(FreeTextFileTest, AnEmptyFileOpensAsAnEmptyTextWithoutAMessage)
{
    TypeInto(ft::kText, QStringLiteral("before"));
    ASSERT_TRUE(Spill(folder / "empty.fqr", ""));
    Open(folder / "empty.fqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(screen.text, "");
    EXPECT_EQ(As<QPlainTextEdit>(ft::kText)->toPlainText(), QString());
}

TEST_F(FreeTextFileTest, AFileHeldByAnotherProgramGives137BothWays)
{
    ASSERT_TRUE(Spill(folder / "held.fqr", "held,\r\n"));
    const int fd = ::open((folder / "held.fqr").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    // A lock taken through another open file description, as another program's.
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    TypeInto(ft::kText, QStringLiteral("mine"));
    Open(folder / "held.fqr");
    ExpectOneBox(res::str::kFileInUse, BoxType::Warning);
    EXPECT_EQ(As<QPlainTextEdit>(ft::kText)->toPlainText(), QStringLiteral("mine"));
    services.messages.Clear();
    SaveAs(folder / "held.fqr");
    ExpectOneBox(res::str::kFileInUse, BoxType::Warning);
    ::close(fd);
    EXPECT_EQ(Slurp(folder / "held.fqr"), "held,\r\n");
}

TEST_F(FreeTextFileTest, AMissingFileGives130AndAnotherKind132)
{
    TypeInto(ft::kText, QStringLiteral("mine"));
    Open(folder / "gone.fqr");
    ExpectOneBox(res::str::kFileOpenFailed, BoxType::Warning);
    services.messages.Clear();
    Open(folder / "text.FQR");
    ExpectOneBox(res::str::kWrongFileKind, BoxType::Warning);
    EXPECT_EQ(As<QPlainTextEdit>(ft::kText)->toPlainText(), QStringLiteral("mine"));
}

TEST_F(FreeTextFileTest, BytesThatAreNoCp932TextOpenWithoutHarm)
{
    // Not CP932: 0xFF, a lone lead byte before the comma, a UTF-8 "ü".
    ASSERT_TRUE(Spill(folder / "odd.fqr", std::string("\xFF\x81,\xC3\xBC,", 6)));
    Open(folder / "odd.fqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(screen.text, std::string("\xFF\x81", 2));
    EXPECT_TRUE(As<QPlainTextEdit>(ft::kText)->toPlainText().contains(QChar::ReplacementCharacter));
}

TEST_F(FreeTextFileTest, AValueTheControlCannotHoldExactlyReachesThePayloadAndTheNextSaveUnchanged)
{
    // A lone CR and a byte with no CP932 code, inside the text.
    const std::string file("a\rb\xFF\nc,\r\n");
    ASSERT_TRUE(Spill(folder / "odd.fqr", file));
    Open(folder / "odd.fqr");
    ASSERT_TRUE(screen.UpdateData(fw::Exchange::FromControls));
    EXPECT_EQ(screen.BuildPayload(), "a\rb\xFF\r\nc");
    SaveAs(folder / "again.fqr");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Slurp(folder / "again.fqr"), file);
}

TEST_F(FreeTextFileTest, ANulInAnOpenedFileIsNamedByItsPositionAndNoCodeIsMade)
{
    ASSERT_TRUE(Spill(folder / "nul.fqr", std::string("ab\0c,\r\n", 7)));
    Open(folder / "nul.fqr");
    Click(bid::kCreateCode);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes().back().text,
              QStringLiteral("3 文字目にQRコードに入れられない制御文字（NUL）があります。削除してください。"));
    EXPECT_EQ(Boxes().back().type, BoxType::Warning);
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(screen.text, std::string("ab\0c", 4));
}

}  // namespace
}  // namespace nubora
