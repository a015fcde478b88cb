// The one entry of the page content module (libnubora_pdf_pages.so), which
// adds the codes' paths and the cut lines to the pages of a PDF with qpdf. qpdf's cryptography
// (GnuTLS) sets itself up as it loads, which took 6 ms off every start of
// nubora-qr; in a module, only a run that writes a PDF pays for it.
#pragma once

#include <cstddef>
#include <string>

namespace nubora {

// The name of the module's file, and of the entry in it.
inline constexpr char kPageContentModuleFile[] = "libnubora_pdf_pages.so";
inline constexpr char kPageContentModuleEntry[] = "NuboraAddPageContent";

}  // namespace nubora

namespace nubora {

// What is added to one page, as PDF content operators drawn in the page's
// default space and left balanced in q/Q; either may be empty.
struct PageContent {
    std::string drawing;  // always shown and printed
    std::string preview;  // in the preview layer: shown on screen, never printed
};

}  // namespace nubora

// Writes into `*result` (not null) the PDF `pdf` (not null; `pdfSize` bytes)
// with `pages[i]` drawn before page i's own content, for the first `count`
// pages. When any page has a preview, the file gets one optional content
// group named `previewName` (UTF-8, not null) that viewers show and printers
// leave out, and the file becomes PDF 1.5. The streams are deflated; the
// file's ID comes from its content, so that the same input gives the same
// bytes. Returns true; or false with the reason (English) in `*result` when
// `pdf` cannot be read or has fewer than `count` pages. Never throws.
extern "C" bool NuboraAddPageContent(const char* pdf, std::size_t pdfSize, const nubora::PageContent* pages,
                                     std::size_t count, const char* previewName, std::string* result) noexcept;

// The type of that entry, for the module's user.
using NuboraAddPageContentFunction = bool (*)(const char*, std::size_t, const nubora::PageContent*, std::size_t,
                                              const char*, std::string*) noexcept;
