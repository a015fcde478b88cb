// libFuzzer target for the readers of the input data files. The input is the
// content of a file, handed to all three readers (address book, e-mail, free
// text). Nothing may crash, leak or read out of bounds (ASan and UBSan
// watch), and whatever a reader got must survive being saved and read again
// whenever it can be saved at all: no value ending in a single-byte
// backslash, no lead byte standing directly before a comma, and no comma in
// the unescaped telephone and e-mail fields of the address book.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "nubora/logic/data_file.h"
#include "nubora/logic/validation.h"

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

bool Savable(std::string_view value)
{
    return nubora::DropTrailingBackslashes(value) == value && !HasLoneLeadBeforeComma(value);
}

bool Unescaped(std::string_view value) { return Savable(value) && value.find(',') == std::string_view::npos; }

void CheckAddressBook(std::string_view content)
{
    const nubora::AddressBookEntry read = nubora::ParseAddressBookFile(content);
    if (!Savable(read.name) || !Savable(read.reading) || !Unescaped(read.tel1) || !Unescaped(read.tel2) ||
        !Unescaped(read.mail1) || !Unescaped(read.mail2) || !Savable(read.address) || !Savable(read.memo)) {
        return;
    }
    const std::string saved = nubora::BuildAddressBookFile(read);
    if (nubora::ParseAddressBookFile(saved) != read)
        Fail("address book entry changed on saving", saved);
}

void CheckMail(std::string_view content)
{
    const nubora::MailEntry read = nubora::ParseMailFile(content);
    if (!Savable(read.to) || !Savable(read.subject) || !Savable(read.body))
        return;
    const std::string saved = nubora::BuildMailFile(read);
    if (nubora::ParseMailFile(saved) != read)
        Fail("mail changed on saving", saved);
}

void CheckFreeText(std::string_view content)
{
    const std::string read = nubora::ParseFreeTextFile(content);
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (read[i] == '\n' && (i == 0 || read[i - 1] != '\r'))
            Fail("free text holds a bare LF", read);
    }
    if (!Savable(read))
        return;
    const std::string saved = nubora::BuildFreeTextFile(read);
    if (nubora::ParseFreeTextFile(saved) != read)
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
