// The code view (template 132): the symbol just made, or one symbol of a
// split chosen with the spinner, drawn two pixels a module; the input
// summary and the code's information lines; the buttons that save the symbol
// as BMP, print it, copy it, go back to the input screen, go to the menu, and
// the hidden exit button that still takes the focus under the pointer.
#pragma once

#include "nubora/framework/dialog.h"
#include "nubora/screens/screen_host.h"

#include <QImage>

#include <string>
#include <vector>

namespace nubora {

class CodeViewDialog final : public fw::Dialog {
public:
    explicit CodeViewDialog(ScreenHost& host);

    // "QRコード保存(BMP形式)": asks for a file and writes the shown symbol
    // there as BMP, three pixels a module, or in the type chosen in the
    // dialog (PNG, SVG, or a PDF sheet of every symbol; SaveCodeFile);
    // bmpSaved becomes true only when the file was written. A failure leaves
    // any file there as it was and reports kFileOpenFailed.
    void OnSaveBmp();
    // "印刷": the print dialog, then the shown symbol at its print size;
    // with no printer installed, notice kNoPrinter and nothing else.
    void OnPrint();
    // "QRコードコピー": the shown symbol, five pixels a module, onto the
    // clipboard (also as "image/png" with its print size and as
    // "image/svg+xml"), then notice kCopiedToClipboard with the print size.
    void OnCopy();
    // "戻る": back to the input screen that made the code; the bitmaps go.
    void OnBack();
    // "メインへ戻る": asks (kBackToMenuQuestion saved, kBackToMenuDiscardUnsaved not), then clears that screen's
    // entries, releases the bitmaps and shows the menu.
    void OnBackToMenu();
    // End of the program: the menu asks, knowing the request comes from here.
    void OnExit();
    // Shows the code the host holds, just encoded from `payload` (in the
    // charset of the settings' form): `summary` (in `summaryCharset`) as the
    // summary of the entered data beside informationText, the lines beside
    // the symbol (kReadBackPassed, then the ReaderAdvice for the code, with
    // the MEMORY form's when the state's currentScreen is the address book
    // and the form the legacy one), the first symbol, the spinner over the
    // settings' splitCount symbols (shown only for a split), and the window
    // in front.
    void ShowCode(const std::string& summary, text::TextCharset summaryCharset, const std::string& payload);
    // Names the picture 1018 for screen readers after the symbol it shows:
    // "QRコード 2/4, バージョン 10, M" in a split, "QRコード, バージョン 10, M"
    // for a single symbol, "QRコード" when none is held. Whoever changes
    // shownSymbol calls it.
    void UpdatePictureName();

    std::string inputSummary;  // control 1004, in inputSummaryCharset
    text::TextCharset inputSummaryCharset = text::TextCharset::Cp932;
    std::string informationText;   // control 1027
    std::string symbolNumberText;  // control 1043, written by the spinner: "n/N"

protected:
    void OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    void paintEvent(QPaintEvent* event) override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateButtons();
    void CreateTextBoxes();
    void CreateSymbolSpinner();
    bool RunButton(int id);
    bool IsClickOnText(QObject* target, const QEvent* event) const;
    void OnSymbolNumberChanged();
    // The lines beside the symbol (UTF-8), in the notes' font, made smaller
    // (down to kSmallestNotesPt) until all of them fit the notes' box.
    void SetCheckNotes(const std::vector<std::string>& lines);
    // The symbol now shown as an image; null when there is none.
    QImage ShownSymbol() const;

    ScreenHost& host_;
    // The notes' own font size, in points, before any shrinking to fit.
    double notesPt_ = 0;
    // True once the spinner has been operated; only then does a new number
    // switch the shown symbol. Never reset.
    bool spinnerUsed_ = false;
};

}  // namespace nubora
