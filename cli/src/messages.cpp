#include "messages.h"

#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_texts.h"

#include <cstdio>

namespace nubora::cli {
namespace {

namespace msg = res::str;

// The English line for each message the program can report.
const char* EnglishFor(int messageId)
{
    switch (messageId) {
    case msg::kBadTelChars: return "the telephone number holds a character other than digits, *, # and -";
    case msg::kBadMailChars: return "the e-mail address holds a character an address cannot have";
    case msg::kBadMailToChars: return "the recipients hold a character an address list cannot have";
    case msg::kEmptyMailTo: return "the recipient is empty";
    case msg::kEmptyText: return "the text is empty";
    case msg::kBadReadingChars: return "the reading holds a character other than katakana, letters, digits and symbols";
    case msg::kDataTooLong: return "the data is longer than the largest symbol (version 15) holds at this level";
    case msg::kSplitImpossible: return "the data cannot be split into this number of symbols";
    case msg::kEncodeFailed: return "the symbol could not be made";
    case msg::kReadBackFailed: return "the symbol did not read back as its data, so it was not written";
    case msg::kFileOpenFailed: return "the file could not be written";
    case msg::kFileReadFailed: return "the file cannot be read";
    case msg::kFileInUse: return "the file is locked by another program";
    case msg::kPictureUnreadable: return "the file is no picture (PNG, JPEG, BMP, GIF ...) nor a readable PDF";
    case msg::kPictureTooLarge: return "the picture is too large to be read";
    case msg::kNoCodeInPicture: return "no QR Code symbol was found in the picture";
    case msg::kDamagedCode: return "a QR Code symbol was found but is too damaged to be read";
    case msg::kSplitPartsMismatch:
        return "the parts do not belong to one split (two different parts with one number, or a wrong parity)";
    case msg::kCodeReadFailed: return "the decoder failed";
    default: return "failed";
    }
}

}  // namespace

void Complain(std::string_view where, std::string_view text)
{
    std::fprintf(stderr, "nubora-qr: %.*s%.*s\n", static_cast<int>(where.size()), where.data(),
                 static_cast<int>(text.size()), text.data());
}

std::vector<std::string> MessageLines(int messageId, int askedVersion, int splitCount)
{
    std::string english = EnglishFor(messageId);
    if (messageId == msg::kDataTooLong && askedVersion != 0) {
        const std::string version = std::to_string(askedVersion);
        english = splitCount > 1 ? "the data is longer than " + std::to_string(splitCount) + " symbols of version " +
                                       version + " hold at this level"
                                 : "the data is longer than a version " + version + " symbol holds at this level";
    }
    return {std::string(res::StringText(messageId)), english};
}

std::vector<std::string> MessageLines(const CheckFailure& failure)
{
    std::string english = EnglishFor(failure.messageId);
    if (failure.messageId == 0)
        english = "longer than " + std::to_string(failure.limitBytes) + " bytes of Shift_JIS";
    else if (failure.messageId == msg::kUnencodableChar)
        english = "character " + std::to_string(failure.position) + " is a NUL, which no code can carry";
    return {CheckFailureMessage(failure), english};
}

std::vector<std::string> CheckFailureLines(const CheckFailure& failure)
{
    const std::string field = std::string(FieldName(failure.field)) + ": ";
    std::vector<std::string> lines = MessageLines(failure);
    for (std::string& line : lines)
        line.insert(0, field);
    return lines;
}

void Warn(std::string_view where, std::string_view advice)
{
    std::fprintf(stderr, "warning: %.*s%.*s\n", static_cast<int>(where.size()), where.data(),
                 static_cast<int>(advice.size()), advice.data());
}

}  // namespace nubora::cli
