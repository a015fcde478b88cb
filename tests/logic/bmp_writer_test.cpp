#include "nubora/logic/bmp_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QImage>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "decoders.h"
#include "encoded_symbols.h"
#include "qt_grey.h"
#include "tavoqrenc.h"
#include "temp_folder.h"

namespace nubora {
namespace {

using testing::Slurp;
using testing::Spill;
using testing::TempFolder;

using testing::Symbols;

uint32_t U32(const std::vector<uint8_t>& b, std::size_t at)
{
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t U16(const std::vector<uint8_t>& b, std::size_t at)
{
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8;
}

std::string AsString(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// A picture read by Qt's image reader, as the grey picture the decoders take.
peers::GreyImage LoadGrey(const std::string& path)
{
    QImage image;
    if (!image.load(QString::fromStdString(path), "BMP"))
        return {};
    return testing::GreyOf(image);
}

TEST(BmpWriter, RowBytesArePaddedTo32Bits)
{
    EXPECT_EQ(BmpRowBytes(87), 12);
    EXPECT_EQ(BmpRowBytes(255), 32);
    EXPECT_EQ(BmpRowBytes(96), 12);
    EXPECT_EQ(BmpRowBytes(97), 16);
}

TEST(BmpWriter, Version1Is1106BytesWithEveryHeaderField)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    ASSERT_EQ(symbols[0].Side(), 29);
    const std::vector<uint8_t> file = BuildBmpFile(symbols[0]).Value();
    ASSERT_EQ(file.size(), 1106u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), 1106u);         // file size
    EXPECT_EQ(U16(file, 6), 0u);            // reserved
    EXPECT_EQ(U16(file, 8), 0u);            // reserved
    EXPECT_EQ(U32(file, 10), 62u);          // pixel offset
    EXPECT_EQ(U32(file, 14), 40u);          // info header size
    EXPECT_EQ(U32(file, 18), 87u);          // width
    EXPECT_EQ(U32(file, 22), 87u);          // height, bottom-up
    EXPECT_EQ(U16(file, 26), 1u);           // planes
    EXPECT_EQ(U16(file, 28), 1u);           // bits per pixel
    EXPECT_EQ(U32(file, 30), 0u);           // compression
    EXPECT_EQ(U32(file, 34), 1044u);        // image size, 12 · 87
    EXPECT_EQ(U32(file, 38), 0u);           // horizontal resolution
    EXPECT_EQ(U32(file, 42), 0u);           // vertical resolution
    EXPECT_EQ(U32(file, 46), 0u);           // colours used
    EXPECT_EQ(U32(file, 50), 0u);           // important colours
    EXPECT_EQ(U32(file, 54), 0x00000000u);  // entry 0 black
    EXPECT_EQ(U32(file, 58), 0x00FFFFFFu);  // entry 1 white: 255, 255, 255, 0
}

TEST(BmpWriter, Version15Is8222Bytes)
{
    Symbols symbols("version fifteen", 1, 15);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    ASSERT_EQ(symbols[0].Side(), 85);
    const std::vector<uint8_t> file = BuildBmpFile(symbols[0]).Value();
    ASSERT_EQ(file.size(), 8222u);
    EXPECT_EQ(U32(file, 2), 8222u);
    EXPECT_EQ(U32(file, 18), 255u);
    EXPECT_EQ(U32(file, 22), 255u);
    EXPECT_EQ(U32(file, 34), 32u * 255u);
}

TEST(BmpWriter, FirstStoredRowIsTheBottomQuietZone)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    const std::vector<uint8_t> file = BuildBmpFile(symbols[0]).Value();
    ASSERT_EQ(file.size(), 1106u);
    // The quiet zone is four modules, twelve picture rows: all light.
    for (std::size_t at = 62; at < 62 + 12 * 12; ++at)
        EXPECT_EQ(file[at], 0xFF) << "byte " << at;
    // The thirteenth stored row is the bottom row of the finder pattern at the
    // left: dark from pixel 12 (module 4) for 21 pixels (7 modules), then
    // the light separator module.
    const std::size_t row = 62 + 12 * 12;
    EXPECT_EQ(file[row + 0], 0xFF);
    EXPECT_EQ(file[row + 1], 0xF0);
    EXPECT_EQ(file[row + 2], 0x00);
    EXPECT_EQ(file[row + 3], 0x00);
    EXPECT_EQ(file[row + 4] & 0xF0, 0x70);
}

TEST(BmpWriter, EveryPixelIsItsModuleAndPaddingIsLight)
{
    Symbols symbols("ABCDEFGHIJ 0123456789", 4, 5);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    for (int32_t s = 0; s < 4; ++s) {
        const QrBitmap& symbol = symbols[s];
        const std::vector<uint8_t> file = BuildBmpFile(symbol).Value();
        const int32_t extent = 3 * symbol.Side();
        const int32_t rowBytes = BmpRowBytes(extent);
        ASSERT_EQ(file.size(), static_cast<std::size_t>(62 + rowBytes * extent));
        for (int32_t stored = 0; stored < extent; ++stored) {
            const uint8_t* row = file.data() + 62 + stored * rowBytes;
            const int32_t y = extent - 1 - stored;
            for (int32_t x = 0; x < rowBytes * 8; ++x) {
                const bool light = ((row[x / 8] >> (7 - x % 8)) & 1) != 0;
                const bool expectLight = x >= extent || !symbol.IsDark(x / 3, y / 3);
                ASSERT_EQ(light, expectLight) << "symbol " << s << " x " << x << " y " << y;
            }
        }
    }
}

TEST(BmpWriter, RefusesBadPictures)
{
    const uint8_t bits[4] = {0, 0, 0, 0};
    EXPECT_FALSE(BuildBmpFile(nullptr, 21, 4));
    EXPECT_FALSE(BuildBmpFile(bits, 0, 2));
    EXPECT_FALSE(BuildBmpFile(bits, 17, 2));
    EXPECT_EQ(BuildBmpFile(bits, 17, 2).Error(), BuildFailure::NoPicture);
    EXPECT_EQ(BuildBmpFile(bits, 2, 2)->size(), 62u + 4u * 6u);
}

TEST(BmpWriter, SavedFileDecodesWithZxingAndZbar)
{
    const std::string payload = "MEMORY:\r\nNAME1:\x8E\x52\x93\x63\r\nTEL1:0312345678\r\n";
    Symbols symbols(payload, 1, 0);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string path = folder / "code.bmp";
    ASSERT_TRUE(SaveBmpFile(path, symbols[0]));
    EXPECT_EQ(Slurp(path), AsString(BuildBmpFile(symbols[0]).Value()));

    const peers::GreyImage grey = LoadGrey(path);
    ASSERT_EQ(grey.width, 3 * symbols[0].Side());
    ASSERT_EQ(grey.height, 3 * symbols[0].Side());
    const peers::ZxingReading zxing = peers::ReadWithZxing(grey);
    ASSERT_TRUE(zxing.valid) << zxing.error;
    EXPECT_EQ(zxing.bytes, payload);
    EXPECT_EQ(peers::ReadWithZbar(grey), std::vector<std::string>{payload});
}

TEST(BmpWriter, ThirdSymbolOfASplitSavesThatSymbol)
{
    const std::string payload = "The third of four symbols is saved, and only that one: 0123456789";
    Symbols symbols(payload, 4, 0);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    ASSERT_TRUE(SaveBmpFile(folder / "third.bmp", symbols[2]));
    const peers::ZxingReading zxing = peers::ReadWithZxing(LoadGrey(folder / "third.bmp"));
    ASSERT_TRUE(zxing.valid) << zxing.error;
    EXPECT_EQ(zxing.sequenceIndex, 2);
    EXPECT_EQ(zxing.sequenceSize, 4);
    EXPECT_NE(payload.find(zxing.bytes), std::string::npos);
}

TEST(BmpWriter, SavingWhereNoFileCanBeMadeFailsAndKeepsTheOldFile)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    EXPECT_FALSE(SaveBmpFile(folder / "missing/code.bmp", symbols[0]));
    EXPECT_FALSE(SaveBmpFile("/proc/code.bmp", symbols[0])) << "a folder nobody can write";
    EXPECT_FALSE(SaveBmpFile(folder.Path(), symbols[0]));

    // A file held by another program stays as it was.
    const std::string path = folder / "code.bmp";
    ASSERT_TRUE(Spill(path, "old picture"));
    {
        const int holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(holder, 0);
        ASSERT_EQ(::flock(holder, LOCK_SH), 0);
        EXPECT_FALSE(SaveBmpFile(path, symbols[0]));
        ::close(holder);
    }
    EXPECT_EQ(Slurp(path), "old picture");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"code.bmp"});
}

TEST(BmpWriter, WriteFailingHalfWayKeepsTheOldFile)
{
    Symbols symbols("version fifteen", 1, 15);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string path = folder / "code.bmp";
    ASSERT_TRUE(Spill(path, "old picture"));

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);
    struct rlimit small = saved;
    small.rlim_cur = 4096;  // half of the 8,222 bytes
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = SaveBmpFile(path, symbols[0]).Ok();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(written);
    EXPECT_EQ(Slurp(path), "old picture");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"code.bmp"});
}

TEST(BmpWriter, PathsOfAnyLength)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string deep = folder.MakeDeepFolder(std::string(250, 'b'), 20);
    ASSERT_FALSE(deep.empty());
    const std::string path = deep + "/" + std::string(240, 'c') + ".bmp";
    ASSERT_GT(path.size(), 5000u);
    EXPECT_TRUE(SaveBmpFile(path, symbols[0]));
    // Read it back through a folder descriptor: the path is too long for open().
    int dir = ::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < 20 && dir >= 0; ++i) {
        const int inner = ::openat(dir, std::string(250, 'b').c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(dir);
        dir = inner;
    }
    ASSERT_GE(dir, 0);
    const int fd = ::openat(dir, (std::string(240, 'c') + ".bmp").c_str(), O_RDONLY | O_CLOEXEC);
    ::close(dir);
    ASSERT_GE(fd, 0);
    std::vector<uint8_t> bytes(2000);
    const ssize_t n = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    ASSERT_EQ(n, 1106);
    bytes.resize(1106);
    EXPECT_EQ(bytes, BuildBmpFile(symbols[0]).Value());
}

}  // namespace
}  // namespace nubora
