// The one entry of the page content module (libnubora_pdf_pages.so), which
// adds the codes' paths to the pages of a PDF with qpdf. qpdf's cryptography
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

// Writes into `*result` (not null) the PDF `pdf` (not null; `pdfSize` bytes)
// with `contents[i]` (PDF content operators, drawn in the page's default
// space and left balanced in q/Q) drawn before page i's own content, for the
// first `count` pages; an empty content leaves its page as it was. The
// streams are deflated; the file's ID comes from its content, so that the
// same input gives the same bytes. Returns true; or false with the reason
// (English) in `*result` when `pdf` cannot be read or has fewer than `count`
// pages. Never throws.
extern "C" bool NuboraAddPageContent(const char* pdf, std::size_t pdfSize, const std::string* contents,
                                     std::size_t count, std::string* result) noexcept;

// The type of that entry, for the module's user.
using NuboraAddPageContentFunction = bool (*)(const char*, std::size_t, const std::string*, std::size_t,
                                              std::string*) noexcept;
