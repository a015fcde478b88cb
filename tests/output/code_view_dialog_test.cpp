// The code view driven as a user drives it, on the fake host, with a code
// made by the address-book screen: the layout, the symbol spinner of a
// split, the ways out and their questions, the key and close-box filtering,
// the hidden exit button under the pointer, and the save, print and copy of
// the shown symbol. Every platform dialog is answered by a scripted service.
#include "decoders.h"
#include "fake_screen_host.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/print_service.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/framework/up_down.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/logic/bmp_writer.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_files.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/output/symbol_image.h"
#include "nubora/output/symbol_output.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "qt_grey.h"
#include "screen_controls.h"
#include "temp_folder.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace id = ctl::codeView;
using fw::Answer;
using fw::BoxType;
using nubora::testing::GreyOf;

// `image` with a white border of `margin` pixels, for the decoders.
QImage Framed(const QImage& image, int margin)
{
    QImage framed(image.size() + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    framed.fill(Qt::white);
    QPainter painter(&framed);
    painter.drawImage(QPoint(margin, margin), image);
    return framed;
}

// True when `shown` is `symbol` enlarged `scale` times, pixel for pixel.
bool IsEnlarged(const QImage& shown, const QImage& symbol, int scale)
{
    if (shown.size() != symbol.size() * scale)
        return false;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const bool dark = qGray(shown.pixel(x, y)) < 128;
            if (dark != (qGray(symbol.pixel(x / scale, y / scale)) < 128))
                return false;
        }
    }
    return true;
}

class CodeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.Hold(book);
        book.Create(false);
    }

    static void Settle() { QCoreApplication::processEvents(); }

    template <class W>
    W* As(int controlId)
    {
        W* control = view.ControlAs<W>(controlId);
        if (!control)
            std::abort();
        return control;
    }
    fw::BitmapButton* Button(int buttonId) { return As<fw::BitmapButton>(buttonId); }
    fw::UpDownControl* Spinner() { return As<fw::UpDownControl>(id::kSymbolSpinner); }

    // Fills the address book and makes its code in `splitCount` symbols.
    void MakeCode(int splitCount)
    {
        book.show();
        book.name = "Yamada Taro";
        book.tel1 = "090-1234-5678";
        book.mail1 = "taro@example.com";
        book.address = std::string(60, 'A');
        book.memo = std::string(70, 'm');
        book.UpdateData(fw::Exchange::ToControls);
        host.state.codeSettings.splitCount = splitCount;
        book.OnCreateCode();
        ASSERT_TRUE(view.isVisible());
        ASSERT_EQ(host.state.codeBitmaps.Count(), splitCount);
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view, 2000));
    }

    // The symbol as the view shows it: 2 pixels a module at (11, 24) of 1018.
    QImage ShownPicture()
    {
        const int side = TavoQREnc_GetBitmapSide(host.state.codeBitmaps.At(host.state.shownSymbol));
        const QPoint corner = As<QWidget>(id::kPicture)->geometry().topLeft() + QPoint(11, 24);
        return view.grab().toImage().copy(QRect(corner, QSize(2 * side, 2 * side)));
    }
    QImage EngineSymbol(int index) { return SymbolImage(host.state.codeBitmaps.At(index)); }

    void Hover(QWidget* target, QPoint local)
    {
        const QPointF global = target->mapToGlobal(QPointF(local));
        QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    void Key(Qt::Key key) { QTest::keyClick(&view, key); }

    const std::vector<fw::testing::RecordedBox>& Boxes() { return services.messages.Boxes(); }
    void ExpectLastBox(int stringId, BoxType type)
    {
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(Boxes().back().text, res::LoadString(stringId));
        EXPECT_EQ(Boxes().back().type, type);
        EXPECT_EQ(Boxes().back().caption, QStringLiteral("ヌボラ"));
        EXPECT_EQ(Boxes().back().ownerTitle, QStringLiteral("コード表示画面"));
    }

    fw::testing::ScriptedServices services;
    nubora::testing::FakeScreenHost host;
    AddressBookDialog book{host};
    CodeViewDialog& view = host.codeView;
};

// --- The screen ----------------------------------------------------------

TEST_F(CodeViewTest, IsA600By600ScreenWithItsButtonsAndPictures)
{
    MakeCode(1);
    EXPECT_EQ(view.size(), QSize(600, 600));
    EXPECT_EQ(view.pos(), QPoint(10, 10));
    EXPECT_EQ(view.windowTitle(), QStringLiteral("コード表示画面"));
    nubora::testing::ExpectPictureButtons(view, {
                                                    {id::kSaveBmp, {49, 512, 126, 61}, 144, 155, 154},
                                                    {id::kBack, {303, 512, 126, 61}, 212, 213, 211},
                                                    {id::kBackToMenu, {429, 512, 126, 61}, 141, 151, 150},
                                                    {id::kCopy, {525, 102, 75, 47}, 188, 190, 189},
                                                    {id::kPrint, {525, 152, 75, 47}, 191, 187, 192},
                                                });
    for (int shown : {id::kSaveBmp, id::kBack, id::kBackToMenu, id::kCopy, id::kPrint})
        EXPECT_TRUE(Button(shown)->isVisible()) << shown;
    EXPECT_FALSE(Button(id::kExit)->isVisible());
    EXPECT_EQ(Button(id::kExit)->Picture(fw::BitmapButton::Look::Normal), res::LoadBitmap(140));
    EXPECT_EQ(Button(id::kExit)->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(CodeViewTest, PaintsBackground199AndTheSymbolTwoPixelsAModule)
{
    MakeCode(1);
    const QImage background = res::LoadBitmap(res::bmp::kCodeViewBackground);
    ASSERT_EQ(background.size(), QSize(600, 600));
    const QImage shown = view.grab().toImage();
    for (QPoint p : {QPoint(3, 3), QPoint(300, 20), QPoint(590, 590), QPoint(230, 290)})
        EXPECT_EQ(shown.pixel(p), background.pixel(p)) << p.x() << "," << p.y();
    EXPECT_TRUE(IsEnlarged(ShownPicture(), EngineSymbol(0), 2));
}

TEST_F(CodeViewTest, ShowsTheTextsInWhiteReadOnlyBoxes)
{
    MakeCode(1);
    auto* summary = As<QPlainTextEdit>(id::kInputSummary);
    auto* information = As<QPlainTextEdit>(id::kInformation);
    auto* number = As<QLineEdit>(id::kSymbolNumber);
    EXPECT_TRUE(summary->toPlainText().contains(QStringLiteral("Yamada Taro")));
    EXPECT_TRUE(information->toPlainText().startsWith(QStringLiteral("： M(15%)")));
    EXPECT_TRUE(information->toPlainText().contains(QStringLiteral("： 0.25mm")));
    for (QWidget* box : std::initializer_list<QWidget*>{summary, information, number})
        EXPECT_EQ(box->palette().base().color(), QColor(Qt::white));
    EXPECT_TRUE(summary->isReadOnly());
    EXPECT_TRUE(information->isReadOnly());
    EXPECT_TRUE(number->isReadOnly());
    EXPECT_EQ(summary->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_EQ(information->textInteractionFlags(), Qt::NoTextInteraction);
}

TEST_F(CodeViewTest, ASingleSymbolHidesTheSpinner)
{
    MakeCode(1);
    EXPECT_FALSE(As<QWidget>(id::kSymbolSpinner)->isVisible());
    EXPECT_FALSE(As<QWidget>(id::kSymbolNumber)->isVisible());
    EXPECT_EQ(host.state.shownSymbol, 0);
}

TEST_F(CodeViewTest, ASplitOfFourShowsSymbolThreeWhenTheSpinnerIsTurnedToThree)
{
    MakeCode(4);
    ASSERT_TRUE(Spinner()->isVisible());
    EXPECT_TRUE(As<QWidget>(id::kSymbolNumber)->isVisible());
    EXPECT_EQ(Spinner()->Lower(), 1);
    EXPECT_EQ(Spinner()->Upper(), 4);
    EXPECT_EQ(As<QLineEdit>(id::kSymbolNumber)->text(), QStringLiteral("1/4"));
    EXPECT_TRUE(IsEnlarged(ShownPicture(), EngineSymbol(0), 2));

    QTest::keyClick(Spinner(), Qt::Key_Up);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    EXPECT_EQ(As<QLineEdit>(id::kSymbolNumber)->text(), QStringLiteral("3/4"));
    EXPECT_EQ(host.state.shownSymbol, 2);
    const QImage shown = ShownPicture();
    EXPECT_TRUE(IsEnlarged(shown, EngineSymbol(2), 2));
    const peers::ZxingReading reading = peers::ReadWithZxing(GreyOf(Framed(shown, 8)));
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.sequenceIndex, 2);
    EXPECT_EQ(reading.sequenceSize, 4);
    // The number box takes no typing.
    QTest::keyClicks(As<QLineEdit>(id::kSymbolNumber), "4");
    EXPECT_EQ(As<QLineEdit>(id::kSymbolNumber)->text(), QStringLiteral("3/4"));
    EXPECT_EQ(host.state.shownSymbol, 2);
}

TEST_F(CodeViewTest, ANewCodeStartsAtItsFirstSymbol)
{
    MakeCode(3);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    ASSERT_EQ(host.state.shownSymbol, 2);
    QTest::mouseClick(Button(id::kBack), Qt::LeftButton);
    MakeCode(3);
    EXPECT_EQ(host.state.shownSymbol, 0);
    EXPECT_EQ(As<QLineEdit>(id::kSymbolNumber)->text(), QStringLiteral("1/3"));
    EXPECT_TRUE(IsEnlarged(ShownPicture(), EngineSymbol(0), 2));
}

// --- The ways out ----------------------------------------------------------

TEST_F(CodeViewTest, BackReturnsToTheInputScreenWithItsEntries)
{
    MakeCode(1);
    QTest::mouseClick(Button(id::kBack), Qt::LeftButton);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(book.isVisible());
    EXPECT_EQ(book.name, "Yamada Taro");
    EXPECT_EQ(book.memo, std::string(70, 'm'));
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(host.state.bmpSaved, 0);
}

TEST_F(CodeViewTest, BackToTheMenuBeforeASaveAsks135AndNoKeepsEverything)
{
    MakeCode(1);
    services.messages.ScriptAnswers({Answer::No});
    QTest::mouseClick(Button(id::kBackToMenu), Qt::LeftButton);
    ExpectLastBox(res::str::kBackToMenuDiscardUnsaved, BoxType::Question);
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(book.name, "Yamada Taro");
}

TEST_F(CodeViewTest, BackToTheMenuAfterASaveAsks113AndYesEmptiesTheEntries)
{
    MakeCode(1);
    nubora::testing::TempFolder folder;
    services.files.ScriptSave(QString::fromStdString(folder / "code.bmp"));
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    ASSERT_EQ(host.state.bmpSaved, 1);
    services.messages.ScriptAnswers({Answer::Yes});
    QTest::mouseClick(Button(id::kBackToMenu), Qt::LeftButton);
    ExpectLastBox(res::str::kBackToMenuQuestion, BoxType::Question);
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(host.menuShown);
    EXPECT_TRUE(book.IsAllEmpty());
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(host.state.bmpSaved, 0);
}

TEST_F(CodeViewTest, EscAndTheCloseBoxDoNothing)
{
    MakeCode(1);
    Key(Qt::Key_Escape);
    view.close();
    Settle();
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(host.state.exitFromCodeView, 0);
    EXPECT_EQ(host.exitRequests, 0);
}

TEST_F(CodeViewTest, HoverGivesTheFocusAndEnterRunsTheFocusedButton)
{
    MakeCode(1);
    Hover(Button(id::kPrint), QPoint(10, 10));
    EXPECT_TRUE(Button(id::kPrint)->hasFocus());
    services.printing.ScriptCancel();
    Key(Qt::Key_Return);
    EXPECT_EQ(services.printing.DialogsShown(), 1);
    EXPECT_TRUE(services.printing.Pages().empty());
    EXPECT_TRUE(view.isVisible());
}

// --- BMP export ------------------------------------------------------------

TEST_F(CodeViewTest, SavesTheShownSymbolAsABmpFileThatTheDecodersRead)
{
    MakeCode(1);
    nubora::testing::TempFolder folder;
    const std::string path = folder / "code.bmp";
    services.files.ScriptSave(QString::fromStdString(path));
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    ASSERT_EQ(services.files.Requests().size(), 1u);
    const fw::FileDialogRequest& request = services.files.Requests().back();
    EXPECT_EQ(request.filter, QStringLiteral("QRコードイメージ(*.bmp)|*.bmp|PNG画像(*.png)|*.png|SVG画像(*.svg)|*.svg|"
                                             "PDF文書(*.pdf)|*.pdf|すべて(*.*)|*.*||"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("bmp"));
    EXPECT_EQ(request.initialFolder, fw::InitialFolder(QStringLiteral("Bitmap")));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(host.state.bmpSaved, 1);

    const std::vector<uint8_t> expected = BuildBmpFile(*host.state.codeBitmaps.At(0)).Value();
    EXPECT_EQ(nubora::testing::Slurp(path), std::string(expected.begin(), expected.end()));
    QImage read;
    ASSERT_TRUE(read.load(QString::fromStdString(path)));
    const int side = TavoQREnc_GetBitmapSide(host.state.codeBitmaps.At(0));
    EXPECT_EQ(read.size(), QSize(3 * side, 3 * side));
    const std::string payload = book.BuildPayload();
    const peers::ZxingReading zxing = peers::ReadWithZxing(GreyOf(read));
    ASSERT_TRUE(zxing.valid) << zxing.error;
    EXPECT_EQ(zxing.bytes, payload);
    const std::vector<std::string> zbar = peers::ReadWithZbar(GreyOf(read));
    ASSERT_EQ(zbar.size(), 1u);
    EXPECT_EQ(zbar[0], payload);
}

TEST_F(CodeViewTest, TheChosenTypeDecidesTheFormatAndAPdfHoldsTheWholeSplit)
{
    MakeCode(3);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    nubora::testing::TempFolder folder;
    const QrBitmap& second = *host.state.codeBitmaps.At(1);
    const double cellMm = 0.25;
    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"code.png",
         [&] {
             const std::vector<uint8_t> png = BuildPngFile(second, PngModulePixels(cellMm), cellMm).Value();
             return std::string(png.begin(), png.end());
         }()},
        {"code.SVG", BuildSvgFile(second, cellMm).Value()},
        {"code.txt",
         [&] {
             const std::vector<uint8_t> bmp = BuildBmpFile(second).Value();
             return std::string(bmp.begin(), bmp.end());
         }()},
    };
    for (const auto& c : cases) {
        services.files.ScriptSave(QString::fromStdString(folder / c.name));
        QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
        EXPECT_EQ(nubora::testing::Slurp(folder / c.name), c.expected) << c.name;
    }
    services.files.ScriptSave(QString::fromStdString(folder / "sheet.pdf"));
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    // The sheet holds all three symbols, whichever is shown.
    const QrBitmap* const all[] = {host.state.codeBitmaps.At(0), &second, host.state.codeBitmaps.At(2)};
    const std::string footer = SheetFooter(host.state.codeBitmaps, cellMm, host.state.codeSettings.printSizeMm);
    EXPECT_EQ(nubora::testing::Slurp(folder / "sheet.pdf"), BuildPdfSheet(all, 3, cellMm, footer).Value());
    EXPECT_EQ(footer, "ヌボラ　セルサイズ： 0.25mm　バージョン： " + std::to_string((second.Side() - 25) / 4) +
                          "　コード分割数： 3　印刷サイズ： " + FormatMm2(host.state.codeSettings.printSizeMm) + "mm");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(host.state.bmpSaved, 1);
}

TEST_F(CodeViewTest, SavingTheThirdSymbolOfASplitSavesThatSymbol)
{
    MakeCode(4);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    nubora::testing::TempFolder folder;
    const std::string path = folder / "third.bmp";
    services.files.ScriptSave(QString::fromStdString(path));
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    const std::vector<uint8_t> expected = BuildBmpFile(*host.state.codeBitmaps.At(2)).Value();
    EXPECT_EQ(nubora::testing::Slurp(path), std::string(expected.begin(), expected.end()));
    QImage read;
    ASSERT_TRUE(read.load(QString::fromStdString(path)));
    const peers::ZxingReading zxing = peers::ReadWithZxing(GreyOf(read));
    ASSERT_TRUE(zxing.valid) << zxing.error;
    EXPECT_EQ(zxing.sequenceIndex, 2);
    EXPECT_EQ(zxing.sequenceSize, 4);
}

TEST_F(CodeViewTest, CancellingTheSaveDialogWritesNothing)
{
    MakeCode(1);
    services.files.ScriptSave(QString());
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    EXPECT_EQ(services.files.Requests().size(), 1u);
    EXPECT_EQ(host.state.bmpSaved, 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CodeViewTest, AFailedSaveReports130AndKeepsBmpSavedAndWhatWasThere)
{
    MakeCode(1);
    nubora::testing::TempFolder folder;
    services.files.ScriptSave(QString::fromStdString(folder / "no-such-folder/code.bmp"));
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    ExpectLastBox(res::str::kFileOpenFailed, BoxType::Warning);
    EXPECT_EQ(host.state.bmpSaved, 0);

    // After a good save, a failed one leaves bmpSaved at 1 and the old entry.
    const std::string good = folder / "good.bmp";
    services.files.ScriptSave(QString::fromStdString(good));
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    ASSERT_EQ(host.state.bmpSaved, 1);
    const std::string before = nubora::testing::Slurp(good);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder / "taken.bmp")));
    services.files.ScriptSave(QString::fromStdString(folder / "taken.bmp"));
    QTest::mouseClick(Button(id::kSaveBmp), Qt::LeftButton);
    ExpectLastBox(res::str::kFileOpenFailed, BoxType::Warning);
    EXPECT_EQ(host.state.bmpSaved, 1);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(folder / "taken.bmp")).isDir());
    EXPECT_EQ(nubora::testing::Slurp(good), before);
}

// --- Printing --------------------------------------------------------------

TEST(PrintedSide, IsTheVerticalResolutionTimesThePrintSizeTruncated)
{
    EXPECT_EQ(PrintedSide(600, 7.25), 171);   // 171.26
    EXPECT_EQ(PrintedSide(600, 51.0), 1204);  // 1204.72
    EXPECT_EQ(PrintedSide(300, 7.25), 85);    // 85.63
    EXPECT_EQ(PrintedSide(254, 10.0), 100);
    EXPECT_EQ(PrintedSide(0, 7.25), 0);
    EXPECT_EQ(PrintedSide(600, 0.0), 0);
}

TEST_F(CodeViewTest, PrintsTheSymbolPByPPrinterPixelsAtTheTopLeft)
{
    MakeCode(1);
    const QImage symbol = EngineSymbol(0);
    const int side = symbol.width();
    ASSERT_DOUBLE_EQ(host.state.codeSettings.printSizeMm, 0.25 * side);
    services.printing.ScriptPrinter(600, QSize(800, 900));
    QTest::mouseClick(Button(id::kPrint), Qt::LeftButton);
    ASSERT_EQ(services.printing.Pages().size(), 1u);
    const QImage page = services.printing.Pages().front();
    const int p = static_cast<int>(600 * 0.25 * side * 10 / 254);
    int outside = 0;
    for (int y = 0; y < page.height(); y += 3)
        for (int x = 0; x < page.width(); x += 3)
            outside += (x >= p || y >= p) && qGray(page.pixel(x, y)) < 128;
    EXPECT_EQ(outside, 0);
    // Nearest neighbour: every printed pixel is the module it falls in.
    int wrong = 0;
    for (int y = 0; y < p; ++y)
        for (int x = 0; x < p; ++x) {
            const QPointF source((x + 0.5) * side / p, (y + 0.5) * side / p);
            const bool dark = qGray(symbol.pixel(int(source.x()), int(source.y()))) < 128;
            const int grey = qGray(page.pixel(x, y));
            wrong += grey != 0 && grey != 255 ? 1 : (grey == 0) != dark;
        }
    EXPECT_EQ(wrong, 0);
    const peers::ZxingReading reading = peers::ReadWithZxing(GreyOf(page.copy(0, 0, p + 20, p + 20)));
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, book.BuildPayload());
}

TEST_F(CodeViewTest, CancellingThePrintDialogPrintsNothing)
{
    MakeCode(1);
    services.printing.ScriptCancel();
    QTest::mouseClick(Button(id::kPrint), Qt::LeftButton);
    EXPECT_EQ(services.printing.DialogsShown(), 1);
    EXPECT_TRUE(services.printing.Pages().empty());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CodeViewTest, WithNoPrinterInstalledPrintSaysSoAndPrintsNothing)
{
    MakeCode(1);
    services.printing.ScriptNoPrinter();
    QTest::mouseClick(Button(id::kPrint), Qt::LeftButton);
    EXPECT_EQ(services.printing.DialogsShown(), 0);
    EXPECT_TRUE(services.printing.Pages().empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes().back().text,
              QStringLiteral("印刷できるプリンターがありません。プリンターを設定してから印刷してください。"));
    EXPECT_EQ(Boxes().back().type, BoxType::Notice);
    EXPECT_EQ(Boxes().back().ownerTitle, QStringLiteral("コード表示画面"));
    EXPECT_EQ(host.state.bmpSaved, 0);
}

// A PDF printer at a known resolution, as the print service returns it
// once its dialog is accepted.
class PdfPrintTarget final : public fw::PrintTarget {
public:
    PdfPrintTarget(const QString& path, int dpi) : printer_(QPrinter::HighResolution)
    {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(path);
        printer_.setResolution(dpi);
        fw::UsePrintableAreaOrigin(printer_);
    }
    int DotsPerInchY() const override { return printer_.logicalDpiY(); }
    QPaintDevice& Device() override { return printer_; }
    void Finish() override {}

private:
    QPrinter printer_;
};

// The operators of every content stream of `pdf`, inflated where compressed.
QByteArray PdfContent(const QByteArray& pdf)
{
    QByteArray content;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream", at)) >= 0) {
        qsizetype start = at + 6;
        if (pdf.mid(start, 2) == "\r\n")
            start += 2;
        else if (pdf.mid(start, 1) == "\n")
            start += 1;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        const QByteArray raw = pdf.mid(start, end - start);
        // zlib data: qUncompress wants the expected size in front.
        QByteArray sized(4, '\0');
        sized[0] = 0x00;
        sized[1] = 0x10;
        sized[2] = 0x00;
        sized[3] = 0x00;
        const QByteArray inflated = qUncompress(sized + raw);
        content += inflated.isEmpty() ? raw : inflated;
        content += '\n';
        at = end + 9;
    }
    return content;
}

TEST(PrintSymbol, DrawsPByPOnAPdfPrinterAtAKnownResolution)
{
    nubora::testing::TempFolder folder;
    const QString path = QString::fromStdString(folder / "page.pdf");
    QrBitmap** bitmaps = nullptr;
    QrEncodeParams params{1, 2};
    ASSERT_EQ(TavoQREnc_QrEncode("MEMORY:\r\n", 9, 1, &bitmaps, &params), 0);
    const QImage symbol = SymbolImage(bitmaps[0]);
    TavoQREnc_FreeBitmaps(bitmaps, 1);
    {
        PdfPrintTarget target(path, 600);
        ASSERT_EQ(target.DotsPerInchY(), 600);
        PrintSymbol(target, symbol, 7.25);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    // The symbol's picture, 29 × 29 pixels, is drawn once, at the top-left
    // corner of the printable area, scaled to p = 171 printer pixels; the
    // page maps printer pixels to points by 72 / 600.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("/Width 29\\b")).match(QString::fromLatin1(pdf)).hasMatch());
    const QString content = QString::fromLatin1(PdfContent(pdf));
    const QRegularExpression page(QStringLiteral("([0-9.]+) 0 0 -([0-9.]+) ([-0-9.]+) ([-0-9.]+) cm"));
    const QRegularExpressionMatch pageMatch = page.match(content);
    ASSERT_TRUE(pageMatch.hasMatch()) << content.toStdString();
    EXPECT_NEAR(pageMatch.captured(1).toDouble(), 72.0 / 600, 1e-6);
    // A PDF's printable area is the whole sheet: the picture's corner is the
    // sheet's top-left corner, with no margin of Qt's own.
    const QRegularExpressionMatch mediaBox =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(QString::fromLatin1(pdf));
    ASSERT_TRUE(mediaBox.hasMatch());
    EXPECT_EQ(pageMatch.captured(3).toDouble(), 0.0);
    EXPECT_NEAR(pageMatch.captured(4).toDouble(), mediaBox.captured(2).toDouble(), 1e-3);
    const QRegularExpression draw(QStringLiteral(
        "([0-9.]+) 0 0 ([0-9.]+) ([-0-9.]+) ([-0-9.]+) cm\\s+(\\d+) 0 0 -(\\d+) 0 \\d+ cm\\s*/Im\\d+\\s+Do"));
    const QRegularExpressionMatch match = draw.match(content);
    ASSERT_TRUE(match.hasMatch()) << content.toStdString();
    EXPECT_NEAR(match.captured(1).toDouble() * match.captured(5).toDouble(), 171.0, 1e-3);
    EXPECT_NEAR(match.captured(2).toDouble() * match.captured(6).toDouble(), 171.0, 1e-3);
    EXPECT_EQ(match.captured(3).toDouble(), 0.0);
    EXPECT_EQ(match.captured(4).toDouble(), 0.0);
    EXPECT_EQ(content.count(QRegularExpression(QStringLiteral("/Im\\d+\\s+Do"))), 1);
}

// --- Clipboard ---------------------------------------------------------------

TEST_F(CodeViewTest, CopiesTheShownSymbolFivePixelsAModuleAndTellsThePrintSize)
{
    MakeCode(3);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    QTest::keyClick(Spinner(), Qt::Key_Up);
    QTest::mouseClick(Button(id::kCopy), Qt::LeftButton);
    ASSERT_EQ(services.clipboard.Images().size(), 1u);
    const QImage copied = services.clipboard.Images().front();
    const QImage symbol = EngineSymbol(2);
    EXPECT_EQ(copied.size(), symbol.size() * 5);
    EXPECT_TRUE(IsEnlarged(copied, symbol, 5));
    ASSERT_EQ(Boxes().size(), 1u);
    const double mm = host.state.codeSettings.printSizeMm;
    EXPECT_EQ(Boxes().back().text, QStringLiteral("QRコードをクリップボードにコピーしました。\n"
                                                  "コピーしたQRコードの最適な大きさは\n｢%1×%1｣(単位：mm)です。")
                                       .arg(QString::number(mm, 'f', 2)));
    EXPECT_EQ(Boxes().back().type, BoxType::Notice);
    EXPECT_EQ(Boxes().back().ownerTitle, QStringLiteral("コード表示画面"));
    EXPECT_EQ(host.state.bmpSaved, 0);
}

TEST_F(CodeViewTest, TheSystemClipboardHoldsTheCopy)
{
    MakeCode(1);
    fw::QtClipboardService system;
    fw::ScopedServices useSystem(fw::Services{nullptr, nullptr, nullptr, &system, QStringLiteral("ヌボラ")});
    QTest::mouseClick(Button(id::kCopy), Qt::LeftButton);
    const int side = TavoQREnc_GetBitmapSide(host.state.codeBitmaps.At(0));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(5 * side, 5 * side));
    // Documents also find a PNG that prints at the print size, and an SVG.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QrBitmap& symbol = *host.state.codeBitmaps.At(0);
    const std::vector<uint8_t> png = BuildPngFile(symbol, 5, 0.25).Value();
    EXPECT_EQ(data->data(QStringLiteral("image/png")),
              QByteArray(reinterpret_cast<const char*>(png.data()), png.size()));
    EXPECT_EQ(data->data(QStringLiteral("image/svg+xml")).toStdString(), BuildSvgFile(symbol, 0.25).Value());
}

TEST(ClipboardNotice, FormatsThePrintSizeTwice)
{
    EXPECT_EQ(ClipboardNotice(7.25), QStringLiteral("QRコードをクリップボードにコピーしました。\nコピーしたQRコードの"
                                                    "最適な大きさは\n｢7.25×7.25｣(単位：mm)です。"));
    EXPECT_TRUE(ClipboardNotice(51.0).contains(QStringLiteral("｢51.00×51.00｣")));
}

TEST(ClipboardPicture, IsFiveTimesTheSymbol)
{
    QrBitmap** bitmaps = nullptr;
    QrEncodeParams params{15, 2};
    ASSERT_EQ(TavoQREnc_QrEncode("MEMORY:\r\n", 9, 1, &bitmaps, &params), 0);
    const QImage symbol = SymbolImage(bitmaps[0]);
    TavoQREnc_FreeBitmaps(bitmaps, 1);
    EXPECT_EQ(ClipboardPicture(symbol).size(), QSize(425, 425));
    EXPECT_TRUE(IsEnlarged(ClipboardPicture(symbol), symbol, 5));
}

}  // namespace
}  // namespace nubora
