#include "nubora/framework/cp932.h"

namespace nubora::fw {
namespace {

// Encodes `text` character by character (a surrogate pair or one UTF-16
// unit); `fallback` replaces a character without a code, or, when it is
// empty, makes the whole conversion fail.
std::optional<std::string> Encode(const QString& text, std::string_view fallback)
{
    text::Cp932Encoder encoder;
    if (!encoder.IsOpen())
        return std::nullopt;
    std::string out;
    out.reserve(static_cast<size_t>(text.size()) * 2);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = CharacterWidth(text, i);
        const QByteArray utf8 = text.mid(i, width).toUtf8();
        if (!encoder.Append(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), out)) {
            if (fallback.empty())
                return std::nullopt;
            out.append(fallback);
        }
        i += width;
    }
    return out;
}

}  // namespace

qsizetype CharacterWidth(const QString& text, qsizetype at)
{
    return text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate() ? 2 : 1;
}

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
    const std::string utf8 = text::Cp932ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace nubora::fw
