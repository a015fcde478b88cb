// The picture loaders, in a module of their own that LoadPicture opens only
// when a picture is read: gdk-pixbuf, poppler and what they load would
// otherwise lengthen every start of nubora-qr and of the program.
#include "picture_module.h"

#include "nubora/logic/picture_file.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-global.h>
#include <poppler/cpp/poppler-image.h>
#include <poppler/cpp/poppler-page-renderer.h>
#include <poppler/cpp/poppler-page.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>

namespace nubora {
namespace {

constexpr char kPdfMagic[] = "%PDF-";

// The grey of an RGB pixel, by the integer weights of ITU-R BT.601.
uint8_t GreyOf(unsigned red, unsigned green, unsigned blue)
{
    return static_cast<uint8_t>((red * 299 + green * 587 + blue * 114 + 500) / 1000);
}

// `grey` laid on white with opacity `alpha` (0..255).
uint8_t OnWhite(unsigned grey, unsigned alpha)
{
    return static_cast<uint8_t>((grey * alpha + 255 * (255 - alpha) + 127) / 255);
}

bool FitsInLimit(int64_t width, int64_t height)
{
    return width >= 1 && height >= 1 && width * height <= kMaxPicturePixels;
}

bool StartsLikePdf(const std::string& path)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    char head[sizeof kPdfMagic - 1] = {};
    return file && std::fread(head, 1, sizeof head, file.get()) == sizeof head &&
           std::equal(head, head + sizeof head, kPdfMagic);
}

struct PixbufUnref {
    void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
};

GreyPicture GreyOfPixbuf(const GdkPixbuf* pixbuf)
{
    GreyPicture picture;
    picture.width = gdk_pixbuf_get_width(pixbuf);
    picture.height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const auto stride = static_cast<size_t>(gdk_pixbuf_get_rowstride(pixbuf));
    const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf);
    picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
    uint8_t* out = picture.pixels.data();
    for (size_t y = 0; y < static_cast<size_t>(picture.height); ++y) {
        const guint8* in = pixels + y * stride;
        for (int x = 0; x < picture.width; ++x, in += channels) {
            const uint8_t grey = GreyOf(in[0], in[1], in[2]);
            *out++ = alpha ? OnWhite(grey, in[3]) : grey;
        }
    }
    return picture;
}

Result<GreyPicture, PictureFailure> LoadImage(const std::string& path)
{
    int width = 0;
    int height = 0;
    if (gdk_pixbuf_get_file_info(path.c_str(), &width, &height) != nullptr && !FitsInLimit(width, height))
        return Fail(PictureFailure::TooLarge);
    GError* error = nullptr;
    std::unique_ptr<GdkPixbuf, PixbufUnref> pixbuf(gdk_pixbuf_new_from_file(path.c_str(), &error));
    if (!pixbuf) {
        const bool fileError = error != nullptr && error->domain == G_FILE_ERROR;
        const bool memory = error != nullptr && error->domain == GDK_PIXBUF_ERROR &&
                            error->code == GDK_PIXBUF_ERROR_INSUFFICIENT_MEMORY;
        g_clear_error(&error);
        if (fileError)
            return Fail(PictureFailure::FileUnreadable);
        return Fail(memory ? PictureFailure::TooLarge : PictureFailure::NotAnImage);
    }
    if (gdk_pixbuf_get_colorspace(pixbuf.get()) != GDK_COLORSPACE_RGB ||
        gdk_pixbuf_get_bits_per_sample(pixbuf.get()) != 8 || gdk_pixbuf_get_n_channels(pixbuf.get()) < 3)
        return Fail(PictureFailure::NotAnImage);
    return GreyOfPixbuf(pixbuf.get());
}

// poppler's complaints about a broken document are not the user's messages.
void IgnorePopplerMessage(const std::string&, void*) {}

Result<GreyPicture, PictureFailure> LoadPdfPage(const std::string& path)
{
    // Set once: the handler is the process's, and readings may run on two
    // threads at a time (one cancelled, still running).
    static std::once_flag quiet;
    std::call_once(quiet, [] { poppler::set_debug_error_function(&IgnorePopplerMessage, nullptr); });
    std::unique_ptr<poppler::document> document(poppler::document::load_from_file(path));
    if (!document || document->is_locked() || document->pages() < 1)
        return Fail(PictureFailure::NotAnImage);
    std::unique_ptr<poppler::page> page(document->create_page(0));
    if (!page)
        return Fail(PictureFailure::NotAnImage);
    const poppler::rectf box = page->page_rect();
    const double scale = kPdfRenderDpi / 72.0;
    if (!FitsInLimit(static_cast<int64_t>(box.width() * scale), static_cast<int64_t>(box.height() * scale)))
        return Fail(PictureFailure::TooLarge);
    poppler::page_renderer renderer;
    renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
    renderer.set_image_format(poppler::image::format_gray8);
    const poppler::image image = renderer.render_page(page.get(), kPdfRenderDpi, kPdfRenderDpi);
    if (!image.is_valid() || image.format() != poppler::image::format_gray8)
        return Fail(PictureFailure::NotAnImage);
    GreyPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const char* row = image.const_data() + static_cast<ptrdiff_t>(y) * image.bytes_per_row();
        std::copy_n(reinterpret_cast<const uint8_t*>(row), picture.width,
                    picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width));
    }
    return picture;
}

Result<GreyPicture, PictureFailure> Load(const std::string& path)
{
    try {
        return StartsLikePdf(path) ? LoadPdfPage(path) : LoadImage(path);
    } catch (const std::bad_alloc&) {
        return Fail(PictureFailure::TooLarge);
    } catch (...) {
        return Fail(PictureFailure::NotAnImage);
    }
}

}  // namespace
}  // namespace nubora

extern "C" int NuboraLoadPicture(const char* path, nubora::GreyPicture* picture) noexcept
{
    try {
        nubora::Result<nubora::GreyPicture, nubora::PictureFailure> loaded = nubora::Load(path);
        if (!loaded)
            return static_cast<int>(loaded.Error());
        *picture = std::move(loaded).Value();
        return nubora::kPictureLoaded;
    } catch (...) {
        return static_cast<int>(nubora::PictureFailure::TooLarge);
    }
}
