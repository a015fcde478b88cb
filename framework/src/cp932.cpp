#include "nubora/framework/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace nubora::fw {
namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Iconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Iconv OpenIconv(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    return Iconv(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts one whole character (`in`, UTF-8) or fails.
bool ConvertCharacter(iconv_t cd, std::string_view in, std::string& out)
{
    char buffer[16];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return false;
    }
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return true;
}

// Encodes `text` character by character; `fallback` replaces a character
// without a code, or, when it is empty, makes the whole conversion fail.
std::optional<std::string> Encode(const QString& text, std::string_view fallback)
{
    const Iconv cd = OpenIconv("CP932", "UTF-8");
    if (!cd)
        return std::nullopt;
    std::string out;
    out.reserve(static_cast<size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray utf8 = text.mid(i, width).toUtf8();
        if (!ConvertCharacter(cd.get(), std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), out)) {
            if (fallback.empty())
                return std::nullopt;
            out.append(fallback);
        }
        i += width;
    }
    return out;
}

}  // namespace

std::optional<std::string> ToCp932(const QString& text) { return Encode(text, {}); }

std::string ToCp932Lossy(const QString& text) { return Encode(text, "?").value_or(std::string()); }

std::optional<int> Cp932Length(const QString& text)
{
    const auto bytes = ToCp932(text);
    if (!bytes)
        return std::nullopt;
    return static_cast<int>(bytes->size());
}

QString FromCp932(std::string_view bytes)
{
    const Iconv cd = OpenIconv("UTF-8", "CP932");
    if (!cd)
        return QString();
    QString out;
    size_t i = 0;
    while (i < bytes.size()) {
        // One character: a lead byte with its trail byte, or a single byte.
        const size_t width = IsDbcsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        std::string utf8;
        if (ConvertCharacter(cd.get(), bytes.substr(i, width), utf8))
            out += QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        else
            out += QChar(QChar::ReplacementCharacter);
        i += width;
    }
    return out;
}

std::string LfToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::string CrLfToLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

}  // namespace nubora::fw
