// Drawing added to the pages of a PDF, in a module of its own that the PDF
// writer opens only when it has codes to put on pages.
#include "page_content_module.h"

#include <zlib.h>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <memory>
#include <stdexcept>
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

// The name by which page content refers to the preview layer.
constexpr char kPreviewProperty[] = "/Preview";

// A new optional content group named `name` for `document`: shown in
// viewers, left out in print, and the document's /OCProperties naming it.
QPDFObjectHandle AddPreviewLayer(QPDF& document, const char* name)
{
    QPDFObjectHandle group = document.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /OCG /Usage << /Print << /PrintState /OFF >> /View << /ViewState /ON >> >> >>"));
    group.replaceKey("/Name", QPDFObjectHandle::newUnicodeString(name));
    QPDFObjectHandle groups = QPDFObjectHandle::newArray();
    groups.appendItem(group);
    QPDFObjectHandle properties = QPDFObjectHandle::parse(
        "<< /D << /BaseState /ON /AS [ << /Event /Print /Category [ /Print ] >> "
        "<< /Event /View /Category [ /View ] >> ] >> >>");
    properties.replaceKey("/OCGs", groups);
    QPDFObjectHandle defaults = properties.getKey("/D");
    defaults.replaceKey("/Order", groups);
    defaults.replaceKey("/ON", groups);
    defaults.getKey("/AS").getArrayItem(0).replaceKey("/OCGs", groups);
    defaults.getKey("/AS").getArrayItem(1).replaceKey("/OCGs", groups);
    document.getRoot().replaceKey("/OCProperties", properties);
    return group;
}

}  // namespace

extern "C" bool NuboraAddPageContent(const char* pdf, std::size_t pdfSize, const nubora::PageContent* pages,
                                     std::size_t count, const char* previewName, std::string* result) noexcept
{
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("PDF", pdf, pdfSize);
        std::vector<QPDFPageObjectHelper> pageObjects = QPDFPageDocumentHelper(document).getAllPages();
        if (pageObjects.size() < count) {
            *result = "the PDF has " + std::to_string(pageObjects.size()) + " pages, not " + std::to_string(count);
            return false;
        }
        QPDFObjectHandle previewLayer;
        for (std::size_t i = 0; i < count; ++i) {
            std::string content = pages[i].drawing;
            if (!pages[i].preview.empty()) {
                if (!previewLayer.isInitialized())
                    previewLayer = AddPreviewLayer(document, previewName);
                QPDFObjectHandle resources = pageObjects[i].getAttribute("/Resources", true);
                if (!resources.isDictionary()) {
                    resources = QPDFObjectHandle::newDictionary();
                    pageObjects[i].getObjectHandle().replaceKey("/Resources", resources);
                }
                QPDFObjectHandle layers = QPDFObjectHandle::newDictionary();
                layers.replaceKey(kPreviewProperty, previewLayer);
                resources.replaceKey("/Properties", layers);
                content += std::string("/OC ") + kPreviewProperty + " BDC\n" + pages[i].preview + "EMC\n";
            }
            if (content.empty())
                continue;
            QPDFObjectHandle stream = QPDFObjectHandle::newStream(&document);
            stream.replaceStreamData(Deflated(content), QPDFObjectHandle::newName("/FlateDecode"),
                                     QPDFObjectHandle::newNull());
            pageObjects[i].addPageContents(stream, true);
        }
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.setDeterministicID(true);
        // The streams that are there stay as they are: no second deflate.
        writer.setCompressStreams(false);
        writer.setDecodeLevel(qpdf_dl_none);
        if (previewLayer.isInitialized())
            writer.setMinimumPDFVersion("1.5");
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
    } catch (...) {
        result->clear();  // the caller names the failure without a reason
        return false;
    }
}
