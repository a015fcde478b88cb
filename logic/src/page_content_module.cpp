// Drawing added to the pages of a PDF, in a module of its own that the PDF
// writer opens only when it has codes to put on pages.
#include "page_content_module.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <zlib.h>

#include <exception>
#include <memory>
#include <vector>

namespace {

// `content` deflated fast: page content is written once and read by a
// printer or viewer, so speed counts more than the last few percent of size.
std::string Deflated(const std::string& content)
{
    uLongf size = compressBound(static_cast<uLong>(content.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(content.data()),
                  static_cast<uLong>(content.size()), Z_BEST_SPEED) != Z_OK)
        throw std::runtime_error("zlib could not deflate a page's content");
    packed.resize(size);
    return packed;
}

}  // namespace

extern "C" bool NuboraAddPageContent(const char* pdf, std::size_t pdfSize, const std::string* contents,
                                     std::size_t count, std::string* result) noexcept
{
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("PDF", pdf, pdfSize);
        std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(document).getAllPages();
        if (pages.size() < count) {
            *result = "the PDF has " + std::to_string(pages.size()) + " pages, not " + std::to_string(count);
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (contents[i].empty())
                continue;
            QPDFObjectHandle stream = QPDFObjectHandle::newStream(&document);
            stream.replaceStreamData(Deflated(contents[i]), QPDFObjectHandle::newName("/FlateDecode"),
                                     QPDFObjectHandle::newNull());
            pages[i].addPageContents(stream, true);
        }
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.setDeterministicID(true);
        // The streams that are there stay as they are: no second deflate.
        writer.setCompressStreams(false);
        writer.setDecodeLevel(qpdf_dl_none);
        writer.write();
        const std::unique_ptr<Buffer> buffer(writer.getBuffer());
        result->assign(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
        return true;
    } catch (const std::exception& e) {
        try {
            *result = e.what();
        } catch (...) {
            result->clear();
        }
        return false;
    }
}
