// Codes read back from pictures into the screens: for each screen and form,
// a code of the program's own encoder saved as PNG and read back through the
// menu gives back the same fields; the menu's entry and the screens' button.
#include "nubora/app/code_import.h"
#include "nubora/app/main_menu_dialog.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/logic/symbol_files.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "nubora/text/cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace nubora {
namespace {

std::string Sj(const char* utf8) { return text::Utf8ToCp932(utf8).value(); }

struct Row {
    ScreenId screen;
    PayloadForm form;
    int splitCount;
};

class CodeImportTest : public ::testing::Test {
protected:
    void SetUp() override { menu.Create(true); }
    // The code of `screen`'s entries with `settings`, one PNG a symbol.
    QStringList SavedCode(InputScreenDialog& screen, CodeSettings settings)
    {
        menu.state.codeSettings = settings;
        SymbolBitmaps symbols;
        EXPECT_TRUE(EncodeSymbols(screen.BuildPayload(), settings, symbols));
        QStringList paths;
        for (int i = 0; i < symbols.Count(); ++i) {
            paths << folder.filePath(QStringLiteral("part%1.png").arg(i));
            const std::vector<uint8_t> png = BuildPngFile(*symbols.At(i), 4, 0.4).Value();
            QFile file(paths.back());
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(reinterpret_cast<const char*>(png.data()), static_cast<qint64>(png.size()));
        }
        return paths;
    }
    fw::testing::ScriptedServices services;
    MainMenuDialog menu;
    QTemporaryDir folder;
};

TEST_F(CodeImportTest, EveryScreenAndFormComesBackByteForByte)
{
    const AddressBookEntry contact{Sj("山田 太郎"),
                                   Sj("ヤマダ タロウ"),
                                   "03-1234-5678",
                                   "090-1111-2222",
                                   "taro@example.jp",
                                   "",
                                   Sj("東京都千代田区表ソ1-1"),
                                   Sj("会議;表:a,b\\c")};
    const MailEntry mail{"a@example.jp,b@example.jp", Sj("会議の件"), Sj("本日は\r\nよろしく。表示ソフト")};
    const std::string text = Sj("ヌボラのテキスト\r\n2行目 https://example.jp/ソ表");
    const Row rows[] = {
        {ScreenId::AddressBook, PayloadForm::Legacy, 1}, {ScreenId::AddressBook, PayloadForm::Standard, 1},
        {ScreenId::Mail, PayloadForm::Legacy, 1},        {ScreenId::Mail, PayloadForm::Standard, 2},
        {ScreenId::FreeText, PayloadForm::Legacy, 1},    {ScreenId::FreeText, PayloadForm::Standard, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.screen) * 10 + static_cast<int>(row.form));
        menu.addressBook->SetEntry(contact);
        menu.mail->SetEntry(mail);
        menu.freeText->text = text;
        CodeSettings settings;
        settings.form = row.form;
        settings.splitCount = row.splitCount;
        const QStringList paths = SavedCode(menu.Screen(row.screen), settings);
        for (ScreenId id : {ScreenId::AddressBook, ScreenId::Mail, ScreenId::FreeText})
            menu.ClearScreen(id);
        menu.state.codeSettings = CodeSettings();
        menu.OpenCodePictures(CodeSource{paths, {}}, paths.front());
        EXPECT_TRUE(menu.Screen(row.screen).isVisible());
        EXPECT_EQ(menu.addressBook->Entry(), row.screen == ScreenId::AddressBook ? contact : AddressBookEntry());
        EXPECT_EQ(menu.mail->Entry(), row.screen == ScreenId::Mail ? mail : MailEntry());
        EXPECT_EQ(menu.freeText->text, row.screen == ScreenId::FreeText ? text : "");
        EXPECT_EQ(menu.state.codeSettings.form, row.form);  // the standard form's free text carries its ECI
        EXPECT_EQ(menu.state.codeSettings.splitCount, row.splitCount);
        EXPECT_FALSE(menu.state.codeSettings.autoAdjust);
        EXPECT_TRUE(services.messages.Boxes().empty());
        menu.Screen(row.screen).hide();
    }
}

TEST_F(CodeImportTest, CharactersWithoutAShiftJisCodeOpenAsUtf8InTheStandardForm)
{
    const std::string text = "Café 髙 한국 😀\r\nµ";
    menu.freeText->text = text;
    menu.freeText->charset = text::TextCharset::Utf8;
    CodeSettings settings;
    settings.form = PayloadForm::Standard;
    const QStringList paths = SavedCode(*menu.freeText, settings);
    menu.ClearScreen(ScreenId::FreeText);
    menu.state.codeSettings = CodeSettings();
    menu.OpenCodePictures(CodeSource{paths, {}}, paths.front());
    EXPECT_EQ(menu.freeText->text, text);
    EXPECT_EQ(menu.freeText->charset, text::TextCharset::Utf8);
    EXPECT_EQ(menu.state.codeSettings.form, PayloadForm::Standard);
    EXPECT_TRUE(services.messages.Boxes().empty());
}

TEST_F(CodeImportTest, TheMenuEntryAndTheScreensButtonOpenAPictureInItsScreen)
{
    menu.mail->SetEntry(MailEntry{"y@example.jp", "", ""});
    const QStringList mailCode = SavedCode(*menu.mail, CodeSettings());
    menu.ClearScreen(ScreenId::Mail);
    QMenu popup;
    menu.AddReadCodeItem(popup);
    ASSERT_EQ(popup.actions().front()->text(), res::LoadString(res::str::kReadCodeMenuItem));
    services.files.ScriptOpen(mailCode.front());
    popup.actions().front()->trigger();
    EXPECT_TRUE(menu.mail->isVisible());
    EXPECT_EQ(menu.mail->to, "y@example.jp");

    // From the mail screen, over its unsaved input: asked first, No keeps it.
    menu.mail->SetEntry(MailEntry{"x@example.jp", "", ""});
    menu.mail->UpdateData(fw::Exchange::ToControls);
    QFile noCode(folder.filePath(QStringLiteral("blank.png")));
    QImage blank(64, 64, QImage::Format_Grayscale8);
    blank.fill(Qt::white);
    blank.save(&noCode, "PNG");
    auto* link = menu.mail->findChild<QLabel*>(QString::fromLatin1(kReadCodeButtonName));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->accessibleName(), res::LoadString(res::str::kReadCodeButton));
    services.files.ScriptOpen(mailCode.front());
    services.messages.ScriptAnswers({fw::Answer::No});
    link->linkActivated(QStringLiteral("read"));
    EXPECT_EQ(services.messages.Boxes().back().text,
              res::LoadString(res::str::kReplaceUnsavedQuestion).arg(QStringLiteral("part0.png")));
    EXPECT_EQ(menu.mail->to, "x@example.jp");
    services.files.ScriptOpen(noCode.fileName());
    link->linkActivated(QStringLiteral("read"));
    EXPECT_EQ(services.messages.Boxes().back().text, res::LoadString(res::str::kNoCodeInPicture));
    EXPECT_TRUE(menu.mail->isVisible());
    EXPECT_EQ(menu.mail->to, "x@example.jp");
}

TEST_F(CodeImportTest, EscCancelsTheReadingOfAHugePictureAndTheNextReadingWorks)
{
    menu.freeText->text = "huge";
    const QImage code(SavedCode(*menu.freeText, CodeSettings()).front());
    QImage huge(10000, 10000, QImage::Format_Grayscale8);
    huge.fill(200);
    QPainter(&huge).drawImage(7000, 7000, code);
    QCoreApplication::postEvent(qApp, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    const auto cancelled = ReadCodesOffThread(CodeSource{{}, huge});
    ASSERT_FALSE(cancelled);
    EXPECT_TRUE(IsCancelled(cancelled.Error()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const auto small = ReadCodesOffThread(CodeSource{{}, code});
    ASSERT_TRUE(small);
    EXPECT_EQ(small->front().text, "huge");
}

TEST_F(CodeImportTest, CtrlVInAFieldPastesTheTextThatComesWithAPicture)
{
    menu.freeText->show();
    QApplication::setActiveWindow(menu.freeText.get());
    auto* field = menu.freeText->ControlAs<QPlainTextEdit>(ctl::freeText::kText);
    field->setFocus();
    auto* cell = new QMimeData;  // a spreadsheet's cell
    cell->setText(QStringLiteral("セル"));
    cell->setImageData(QImage(8, 8, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(cell);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(field->toPlainText(), QStringLiteral("セル"));
    EXPECT_TRUE(services.messages.Boxes().empty());
}

TEST_F(CodeImportTest, AModalBoxOpenedDuringAReadingTakesItsOwnEsc)
{
    QImage huge(10000, 10000, QImage::Format_Grayscale8);
    huge.fill(200);
    int answer = -1;
    QTimer::singleShot(0, [&answer] {
        QDialog box;
        QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
        QTimer::singleShot(5000, &box, &QDialog::accept);  // were the Esc swallowed
        answer = box.exec();
        QCoreApplication::postEvent(qApp, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    (void)ReadCodesOffThread(CodeSource{{}, huge});
    EXPECT_EQ(answer, QDialog::Rejected);
}

// Once the overlay is up: `act` on it.
void OnAreaPicker(std::function<void(QWidget&)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->accessibleName() == res::LoadString(res::str::kRegionPickerName)) {
                poll->deleteLater();
                poll->stop();
                act(*window);
                return;
            }
        }
    });
    poll->start(10);
}

TEST_F(CodeImportTest, AnAreaDraggedOutOfTheScreenOpensItsCodeAndEscOrNoPictureChangesNothing)
{
    menu.freeText->text = "on screen";
    const QImage code(SavedCode(*menu.freeText, CodeSettings()).front());
    menu.ClearScreen(ScreenId::FreeText);
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    QImage screen(desktop.size() * 2, QImage::Format_RGB32);  // a device pixel ratio of 2
    screen.fill(Qt::darkCyan);
    QPainter(&screen).drawImage(300, 200, code);
    menu.grabScreen = [&] { return screen; };
    QMenu popup;
    menu.AddReadCodeItem(popup);
    ASSERT_EQ(popup.actions().at(1)->text(), res::LoadString(res::str::kReadRegionMenuItem));
    OnAreaPicker([&](QWidget& picker) {
        QTest::mousePress(&picker, Qt::LeftButton, {}, QPoint(140, 90));
        QTest::mouseMove(&picker, QPoint(200, 160));
        QTest::mouseRelease(&picker, Qt::LeftButton, {},
                            QPoint(150 + code.width() / 2 + 10, 100 + code.height() / 2 + 10));
    });
    popup.actions().at(1)->trigger();
    EXPECT_TRUE(menu.freeText->isVisible());
    EXPECT_EQ(menu.freeText->text, "on screen");

    // From the screen's link: Esc, then a right click, and a grab that gives nothing.
    auto* link = menu.freeText->findChild<QLabel*>(QString::fromLatin1(kReadRegionButtonName));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->accessibleName(), res::LoadString(res::str::kReadRegionButton));
    menu.freeText->text = "typed";
    OnAreaPicker([](QWidget& picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
    link->linkActivated(QStringLiteral("read"));
    OnAreaPicker([](QWidget& picker) { QTest::mouseClick(&picker, Qt::RightButton); });
    link->linkActivated(QStringLiteral("read"));
    EXPECT_TRUE(menu.freeText->isVisible());
    EXPECT_EQ(menu.freeText->text, "typed");
    EXPECT_TRUE(services.messages.Boxes().empty());
    screen = QImage();
    link->linkActivated(QStringLiteral("read"));
    ASSERT_EQ(services.messages.Boxes().size(), 1U);
    EXPECT_EQ(services.messages.Boxes().back().text, res::LoadString(res::str::kScreenGrabFailed));
    EXPECT_TRUE(menu.freeText->isVisible());
}

}  // namespace
}  // namespace nubora
