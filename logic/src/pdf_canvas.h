// The one PDF writer of the logic: pages drawn with cairo's PDF surface, text
// set by pango in the UI font (IPAPGothic), which cairo embeds as a subset of
// the glyphs used. The codes' paths are written here in whole modules and put
// under cairo's drawing by qpdf (the page content module) when the document
// is finished: through cairo, their thousands of corners cost ten times as much. Every length given is in millimetres
// from the top-left corner of the page, x to the right and y downwards; the file's unit is the point (mm · 72 / 25.4).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "nubora/logic/result.h"
#include "nubora/logic/sheet_layout.h"
#include "tavoqrenc.h"

namespace nubora::detail {

// Points in a millimetre.
inline constexpr double kPointsPerMm = 72.0 / 25.4;

// The font family of every text in the PDF files.
inline constexpr const char* kPdfFontFamily = "IPAPGothic";

// How a text line sits across its box.
enum class TextAlign { Left, Centre };

// How large a line of text may be in its box.
struct TextFit {
    double sizePt = 8;     // the size it is set at when it fits (> 0)
    double minSizePt = 8;  // the smallest it is shrunk to (> 0, ≤ sizePt) before it is cut with "…"
    TextAlign align = TextAlign::Left;
};

// Why a PDF could not be made: cairo's own status, as it names it.
struct PdfCanvasFailure {
    std::string reason;
};

// A PDF document being drawn, page by page, into memory. Not copyable; one
// thread at a time.
class PdfCanvas {
public:
    // A document with one empty page of `pageWidthMm` × `pageHeightMm` (> 0)
    // so far. The file carries no creation date, so the same drawing always
    // gives the same bytes.
    PdfCanvas(double pageWidthMm, double pageHeightMm);
    ~PdfCanvas();
    PdfCanvas(const PdfCanvas&) = delete;
    PdfCanvas& operator=(const PdfCanvas&) = delete;

    // Fills the dark modules of `symbol` in black as one path (the rectangles
    // of SymbolRectangles, at whole modules scaled by the path's matrix),
    // the symbol's top-left corner, quiet zone included, at (xMm, yMm), one
    // module `moduleMm` (> 0) wide. The quiet zone is left unpainted. The
    // codes of a page lie under its text and outlines.
    void FillSymbol(const QrBitmap& symbol, double xMm, double yMm, double moduleMm);

    // Sets `text` (UTF-8; bytes that are not UTF-8 show as U+FFFD, line ends
    // as spaces) in black on one line in `box`, centred down: at fit.sizePt,
    // or smaller, down to fit.minSizePt, so that its width and height fit,
    // then cut at the end with "…" where it is still too wide. Nothing is
    // ever painted outside `box`; nothing at all when a line at
    // fit.minSizePt is taller than the box, or the text or the box is empty.
    void TextLine(std::string_view text, const MmRect& box, const TextFit& fit);

    // Strokes the outline of `rect`, its corners rounded by `radiusMm` (≥ 0),
    // as a grey hairline (0.25 pt) in the preview layer "切り取り線": shown by
    // viewers, left out by printers (the file becomes PDF 1.5).
    void Outline(const MmRect& rect, double radiusMm);

    // Ends the page and starts a new, empty one of the same size.
    void NextPage();

    // Ends the document: its bytes, the last page included; a failure naming
    // cairo's status when anything drawn failed (then and after, the canvas
    // draws nothing more), or qpdf's reason, or the page content module
    // missing. Call once.
    Result<std::string, PdfCanvasFailure> Finish();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace nubora::detail
