// libFuzzer target for the readers of the input data files. The input is the
// content of a file, handed to all three readers (address book, e-mail, free
// text). Nothing may crash, leak or read out of bounds (ASan and UBSan
// watch), and whatever a reader got must survive being saved and read again
// whenever it can be saved at all: no value ending in a single-byte
// backslash, no lead byte standing directly before a comma (CP932 only), and
// no comma in the unescaped telephone and e-mail fields of the address book.
// A file after a UTF-8 byte-order mark must come back as well-formed UTF-8.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "nubora/logic/data_file.h"
#include "nubora/logic/validation.h"
#include "nubora/text/charset.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view value)
{
    std::fprintf(stderr, "data file failure: %s\n  value of %zu bytes:", what, value.size());
    for (unsigned char c : value)
        std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

// A lead byte whose next byte is a comma, counting characters from the start.
bool HasLoneLeadBeforeComma(std::string_view value)
{
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (!nubora::IsDbcsLeadByte(static_cast<uint8_t>(value[i])) || i + 1 == value.size())
            continue;
        if (value[i + 1] == ',')
            return true;
        ++i;
    }
    return false;
}

using nubora::text::TextCharset;

bool Savable(std::string_view value, TextCharset charset)
{
    if (charset == TextCharset::Utf8 && nubora::text::MendUtf8(value) != value)
        Fail("a UTF-8 value is not well-formed", value);
    return nubora::DropTrailingBackslashes(value, charset) == value &&
           (charset == TextCharset::Utf8 || !HasLoneLeadBeforeComma(value));
}

bool Unescaped(std::string_view value, TextCharset charset)
{
    return Savable(value, charset) && value.find(',') == std::string_view::npos;
}

void CheckAddressBook(std::string_view content)
{
    const nubora::AddressBookEntry read = nubora::ParseAddressBookFile(content);
    const TextCharset c = read.charset;
    if (!Savable(read.name, c) || !Savable(read.reading, c) || !Unescaped(read.tel1, c) || !Unescaped(read.tel2, c) ||
        !Unescaped(read.mail1, c) || !Unescaped(read.mail2, c) || !Savable(read.address, c) || !Savable(read.memo, c)) {
        return;
    }
    const std::string saved = nubora::BuildAddressBookFile(read);
    if (nubora::ParseAddressBookFile(saved) != read)
        Fail("address book entry changed on saving", saved);
}

void CheckMail(std::string_view content)
{
    const nubora::MailEntry read = nubora::ParseMailFile(content);
    if (!Savable(read.to, read.charset) || !Savable(read.subject, read.charset) || !Savable(read.body, read.charset))
        return;
    const std::string saved = nubora::BuildMailFile(read);
    if (nubora::ParseMailFile(saved) != read)
        Fail("mail changed on saving", saved);
}

void CheckFreeText(std::string_view content)
{
    const nubora::FreeTextEntry read = nubora::ParseFreeTextEntry(content);
    for (std::size_t i = 0; i < read.text.size(); ++i) {
        if (read.text[i] == '\n' && (i == 0 || read.text[i - 1] != '\r'))
            Fail("free text holds a bare LF", read.text);
    }
    if (!Savable(read.text, read.charset))
        return;
    const std::string saved = nubora::BuildFreeTextFile(read.text, read.charset);
    if (nubora::ParseFreeTextEntry(saved) != read)
        Fail("free text changed on saving", saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    CheckAddressBook(content);
    CheckMail(content);
    CheckFreeText(content);
    return 0;
}
