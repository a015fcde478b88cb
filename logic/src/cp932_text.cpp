#include "cp932_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace nubora::detail {
namespace {

// An iconv descriptor released at the end of the scope.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter()
    {
        if (IsOpen())
            ::iconv_close(cd_);
    }

    bool IsOpen() const noexcept { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Handle() const noexcept { return cd_; }

private:
    iconv_t cd_;
};

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    const Converter converter("UTF-8", "CP932");
    if (!converter.IsOpen())
        return std::string(cp932);

    std::string input(cp932);
    char* source = input.data();
    std::size_t sourceLeft = input.size();
    std::string utf8;
    std::array<char, 256> buffer{};
    while (sourceLeft > 0) {
        char* target = buffer.data();
        std::size_t targetLeft = buffer.size();
        const std::size_t result = ::iconv(converter.Handle(), &source, &sourceLeft, &target, &targetLeft);
        const int error = errno;
        utf8.append(buffer.data(), static_cast<std::size_t>(target - buffer.data()));
        // EILSEQ or EINVAL: the byte at `source` begins no character; keep it
        // as it is and go on after it. E2BIG only asks for another round.
        if (result == static_cast<std::size_t>(-1) && error != E2BIG) {
            utf8.push_back(*source);
            ++source;
            --sourceLeft;
        }
    }
    return utf8;
}

}  // namespace nubora::detail
