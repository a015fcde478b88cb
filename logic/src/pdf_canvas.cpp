#include "pdf_canvas.h"

#include "module_loader.h"
#include "nubora/logic/symbol_outline.h"
#include "page_content_module.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangofc-font.h>
#include <pango/pangoft2.h>

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

namespace nubora::detail {
namespace {

// The grey of cut lines and its width, as PDF operators, and the name of
// their layer as viewers list it.
constexpr char kOutlineGreyOperator[] = "0.55 G ";
constexpr char kOutlineWidthOperator[] = "0.25 w\n";
constexpr char kCutLinesLayerName[] = "切り取り線";

// Pango lays text out at 72 dots an inch, so that its sizes are points, the
// unit of the page.
constexpr double kPangoDpi = 72.0;

struct CairoDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};

struct FontDescriptionDeleter {
    void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};

// Outlines as they are drawn, unhinted and at fractional positions: the PDF
// scales them, a screen's grid does not apply.
void UnhintedPattern(FcPattern* pattern, gpointer /*data*/)
{
    FcPatternDel(pattern, FC_HINTING);
    FcPatternAddBool(pattern, FC_HINTING, FcFalse);
    FcPatternDel(pattern, FC_HINT_STYLE);
    FcPatternAddInteger(pattern, FC_HINT_STYLE, FC_HINT_NONE);
}

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// `text` as valid UTF-8 on one line: broken bytes become U+FFFD, line ends spaces.
std::string OneLine(std::string_view text)
{
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string line(valid);
    g_free(valid);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return line;
}

double Pt(double mm) { return mm * kPointsPerMm; }

// Appends `value` and a space.
void AppendNumber(std::string& out, int32_t value)
{
    char digits[16];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    out += ' ';
}

// Appends `value` with up to four decimals and a space: a ten-thousandth of
// a point is far below any printer's dot.
void AppendNumber(std::string& out, double value)
{
    char digits[32];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4).ptr);
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.')
        out.pop_back();
    out += ' ';
}

}  // namespace

struct PdfCanvas::Parts {
    std::string bytes;
    std::unique_ptr<cairo_surface_t, CairoDeleter> surface;
    std::unique_ptr<cairo_t, CairoDeleter> cr;
    std::unique_ptr<PangoFontMap, GObjectDeleter> fontMap;
    std::unique_ptr<PangoContext, GObjectDeleter> context;
    std::unique_ptr<PangoLayout, GObjectDeleter> layout;
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> font;
    // cairo's face of every font pango has chosen, the font held alive as the key.
    std::vector<std::pair<std::unique_ptr<PangoFont, GObjectDeleter>, std::unique_ptr<cairo_font_face_t, CairoDeleter>>>
        faces;
    double pageHeightPt = 0;
    // The codes (drawing) and cut lines (preview) of each page so far as PDF
    // path operators, in points from the page's top-left corner, y downwards.
    std::vector<PageContent> pages{1};
    bool finished = false;

    bool Drawing() const { return !finished && cairo_status(cr.get()) == CAIRO_STATUS_SUCCESS; }

    cairo_font_face_t* FaceOf(PangoFont* pangoFont)
    {
        for (const auto& [known, face] : faces) {
            if (known.get() == pangoFont)
                return face.get();
        }
        FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(pangoFont));
        g_object_ref(pangoFont);
        faces.emplace_back(
            std::unique_ptr<PangoFont, GObjectDeleter>(pangoFont),
            std::unique_ptr<cairo_font_face_t, CairoDeleter>(cairo_ft_font_face_create_for_pattern(pattern)));
        return faces.back().second.get();
    }

    // Sets the layout's line at `sizePt` without a width, and gives its size in points.
    std::pair<double, double> NaturalSize(double sizePt)
    {
        pango_font_description_set_absolute_size(font.get(), sizePt * PANGO_SCALE);
        pango_layout_set_font_description(layout.get(), font.get());
        pango_layout_set_width(layout.get(), -1);
        PangoRectangle logical{};
        pango_layout_get_extents(layout.get(), nullptr, &logical);
        return {double(logical.width) / PANGO_SCALE, double(logical.height) / PANGO_SCALE};
    }

    // Paints the glyphs of the layout with its top-left corner at (x, y) pt.
    void ShowLayout(double x, double y)
    {
        PangoLayoutIter* iter = pango_layout_get_iter(layout.get());
        std::vector<cairo_glyph_t> glyphs;
        do {
            PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
            if (run == nullptr)
                continue;
            PangoRectangle logical{};
            pango_layout_iter_get_run_extents(iter, nullptr, &logical);
            const int baseline = pango_layout_iter_get_baseline(iter);
            glyphs.clear();
            int advance = logical.x;
            for (int i = 0; i < run->glyphs->num_glyphs; ++i) {
                const PangoGlyphInfo& info = run->glyphs->glyphs[i];
                if (info.glyph != PANGO_GLYPH_EMPTY && (info.glyph & PANGO_GLYPH_UNKNOWN_FLAG) == 0)
                    glyphs.push_back({info.glyph, x + double(advance + info.geometry.x_offset) / PANGO_SCALE,
                                      y + double(baseline + info.geometry.y_offset) / PANGO_SCALE});
                advance += info.geometry.width;
            }
            double pixelSize = 0;
            FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(run->item->analysis.font));
            if (FcPatternGetDouble(pattern, FC_PIXEL_SIZE, 0, &pixelSize) != FcResultMatch)
                pixelSize = double(pango_font_description_get_size(font.get())) / PANGO_SCALE;
            cairo_set_font_face(cr.get(), FaceOf(run->item->analysis.font));
            cairo_set_font_size(cr.get(), pixelSize);
            cairo_show_glyphs(cr.get(), glyphs.data(), static_cast<int>(glyphs.size()));
        } while (pango_layout_iter_next_run(iter));
        pango_layout_iter_free(iter);
    }
};

PdfCanvas::PdfCanvas(double pageWidthMm, double pageHeightMm) : parts_(std::make_unique<Parts>())
{
    Parts& p = *parts_;
    p.pageHeightPt = Pt(pageHeightMm);
    p.surface.reset(cairo_pdf_surface_create_for_stream(AppendToString, &p.bytes, Pt(pageWidthMm), Pt(pageHeightMm)));
    cairo_pdf_surface_restrict_to_version(p.surface.get(), CAIRO_PDF_VERSION_1_4);
    // No creation date: the same drawing gives the same file.
    cairo_pdf_surface_set_metadata(p.surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, "");
    cairo_pdf_surface_set_metadata(p.surface.get(), CAIRO_PDF_METADATA_CREATOR, "ヌボラ");
    p.cr.reset(cairo_create(p.surface.get()));

    p.fontMap.reset(pango_ft2_font_map_new());
    // The process's fontconfig set-up, loaded once, rather than a new one for
    // every document.
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(p.fontMap.get()), FcConfigGetCurrent());
    pango_ft2_font_map_set_resolution(PANGO_FT2_FONT_MAP(p.fontMap.get()), kPangoDpi, kPangoDpi);
    pango_fc_font_map_set_default_substitute(PANGO_FC_FONT_MAP(p.fontMap.get()), UnhintedPattern, nullptr, nullptr);
    p.context.reset(pango_font_map_create_context(p.fontMap.get()));
    pango_context_set_round_glyph_positions(p.context.get(), FALSE);
    p.layout.reset(pango_layout_new(p.context.get()));
    pango_layout_set_single_paragraph_mode(p.layout.get(), TRUE);
    p.font.reset(pango_font_description_new());
    pango_font_description_set_family_static(p.font.get(), kPdfFontFamily);
}

PdfCanvas::~PdfCanvas() = default;

void PdfCanvas::FillSymbol(const QrBitmap& symbol, double xMm, double yMm, double moduleMm)
{
    Parts& p = *parts_;
    if (!p.Drawing())
        return;
    std::string& out = p.pages.back().drawing;
    out += "q ";
    AppendNumber(out, Pt(moduleMm));
    out += "0 0 ";
    AppendNumber(out, Pt(moduleMm));
    AppendNumber(out, Pt(xMm));
    AppendNumber(out, Pt(yMm));
    out += "cm\n";
    for (const DarkRect& rect : SymbolRectangles(symbol)) {
        AppendNumber(out, rect.x);
        AppendNumber(out, rect.y);
        AppendNumber(out, rect.width);
        AppendNumber(out, rect.height);
        out += "re\n";
    }
    out += "f Q\n";
}

void PdfCanvas::TextLine(std::string_view text, const MmRect& box, const TextFit& fit)
{
    Parts& p = *parts_;
    const double boxWidth = Pt(box.width);
    const double boxHeight = Pt(box.height);
    if (!p.Drawing() || text.empty() || !(boxWidth > 0) || !(boxHeight > 0) || !(fit.minSizePt > 0))
        return;
    const std::string line = OneLine(text);
    pango_layout_set_text(p.layout.get(), line.data(), static_cast<int>(line.size()));
    pango_layout_set_ellipsize(p.layout.get(), PANGO_ELLIPSIZE_NONE);

    // Sizes scale with the font: shrink for the height, then for the width.
    double size = fit.sizePt;
    auto [width, height] = p.NaturalSize(size);
    if (height > boxHeight)
        size *= boxHeight / height;
    if (width * size / fit.sizePt > boxWidth)
        size = std::max(fit.minSizePt, size * boxWidth / (width * size / fit.sizePt));
    if (size < fit.minSizePt)
        return;
    std::tie(width, height) = p.NaturalSize(size);
    if (width > boxWidth) {
        pango_layout_set_ellipsize(p.layout.get(), PANGO_ELLIPSIZE_END);
        pango_layout_set_width(p.layout.get(), static_cast<int>(boxWidth * PANGO_SCALE));
        PangoRectangle logical{};
        pango_layout_get_extents(p.layout.get(), nullptr, &logical);
        width = double(logical.width) / PANGO_SCALE;
    }
    const double x = Pt(box.x) + (fit.align == TextAlign::Centre ? (boxWidth - width) / 2 : 0.0);
    const double y = Pt(box.y) + (boxHeight - height) / 2;

    cairo_t* cr = p.cr.get();
    cairo_save(cr);
    cairo_rectangle(cr, Pt(box.x), Pt(box.y), boxWidth, boxHeight);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    p.ShowLayout(x, y);
    cairo_restore(cr);
}

void PdfCanvas::Outline(const MmRect& rect, double radiusMm)
{
    Parts& p = *parts_;
    if (!p.Drawing())
        return;
    const double x = Pt(rect.x), y = Pt(rect.y), w = Pt(rect.width), h = Pt(rect.height);
    const double r = std::clamp(Pt(radiusMm), 0.0, std::min(w, h) / 2);
    std::string& out = p.pages.back().preview;
    const auto point = [&](double px, double py) {
        AppendNumber(out, px);
        AppendNumber(out, py);
    };
    if (r == 0) {
        point(x, y);
        point(w, h);
        out += "re\n";
        return;
    }
    // A quarter circle as one Bézier curve: its control points lie this part
    // of the radius from the ends.
    constexpr double kQuarter = 0.5522847498;
    const double k = r * (1 - kQuarter);
    point(x + r, y);
    out += "m\n";
    const auto corner = [&](double x1, double y1, double x2, double y2, double x3, double y3) {
        point(x1, y1);
        point(x2, y2);
        point(x3, y3);
        out += "c\n";
    };
    point(x + w - r, y);
    out += "l\n";
    corner(x + w - k, y, x + w, y + k, x + w, y + r);
    point(x + w, y + h - r);
    out += "l\n";
    corner(x + w, y + h - k, x + w - k, y + h, x + w - r, y + h);
    point(x + r, y + h);
    out += "l\n";
    corner(x + k, y + h, x, y + h - k, x, y + h - r);
    point(x, y + r);
    out += "l\n";
    corner(x, y + k, x + k, y, x + r, y);
    out += "h\n";
}

void PdfCanvas::NextPage()
{
    if (parts_->Drawing()) {
        cairo_show_page(parts_->cr.get());
        parts_->pages.emplace_back();
    }
}

Result<std::string, PdfCanvasFailure> PdfCanvas::Finish()
{
    Parts& p = *parts_;
    // The last page is ended here: cairo would leave it out at the finish
    // when it drew nothing on it, though codes may still go there.
    if (p.Drawing())
        cairo_show_page(p.cr.get());
    cairo_status_t status = cairo_status(p.cr.get());
    p.finished = true;
    p.cr.reset();
    cairo_surface_finish(p.surface.get());
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(p.surface.get());
    if (status != CAIRO_STATUS_SUCCESS)
        return Fail(PdfCanvasFailure{cairo_status_to_string(status)});
    const auto empty = [](const PageContent& page) { return page.drawing.empty() && page.preview.empty(); };
    if (std::all_of(p.pages.begin(), p.pages.end(), empty))
        return std::move(p.bytes);
    std::string flip = "q 1 0 0 -1 0 ";
    AppendNumber(flip, p.pageHeightPt);
    flip += "cm\n";
    for (PageContent& page : p.pages) {
        if (!page.drawing.empty())
            page.drawing = flip + "0 g\n" + page.drawing + "Q\n";
        if (!page.preview.empty())
            page.preview = flip + kOutlineGreyOperator + kOutlineWidthOperator + page.preview + "S Q\n";
    }
    static const auto addContent = reinterpret_cast<NuboraAddPageContentFunction>(
        OpenModuleEntry(kPageContentModuleFile, NUBORA_PAGE_CONTENT_MODULE_BUILD_PATH, kPageContentModuleEntry));
    if (addContent == nullptr)
        return Fail(PdfCanvasFailure{std::string("the PDF page module ") + kPageContentModuleFile + " is missing"});
    std::string file;
    if (!addContent(p.bytes.data(), p.bytes.size(), p.pages.data(), p.pages.size(), kCutLinesLayerName, &file))
        return Fail(PdfCanvasFailure{file.empty() ? std::string("qpdf failed") : file});
    return file;
}

}  // namespace nubora::detail
