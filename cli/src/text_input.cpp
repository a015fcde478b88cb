#include "text_input.h"

#include "nubora/framework/cp932.h"

#include <QList>
#include <QString>
#include <QStringDecoder>

#include <cstdio>

namespace nubora::cli {

bool Utf8ToCp932(std::string_view utf8, std::string& out, ConversionFailure& failure)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
    if (decoder.hasError()) {
        failure = {true, 0, {}, 0};
        return false;
    }
    if (std::optional<std::string> bytes = fw::ToCp932(text)) {
        out = std::move(*bytes);
        return true;
    }
    // Find the character that has no code.
    const QList<uint> codePoints = text.toUcs4();
    for (qsizetype i = 0; i < codePoints.size(); ++i) {
        const auto c = static_cast<char32_t>(codePoints[i]);
        const QString one = QString::fromUcs4(&c, 1);
        if (!fw::ToCp932(one)) {
            failure = {false, static_cast<int>(i + 1), one.toStdString(), c};
            return false;
        }
    }
    failure = {true, 0, {}, 0};  // not reached: some character failed above
    return false;
}

std::string Describe(const ConversionFailure& failure)
{
    if (failure.notUtf8)
        return "is not UTF-8 text (give --cp932 for Shift_JIS bytes)";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(failure.codePoint));
    return "character " + std::to_string(failure.position) + " '" + failure.character + "' (" + code +
           ") has no Shift_JIS (CP932) code";
}

std::string CrLfLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace nubora::cli
