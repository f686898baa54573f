// TGA codec: the two readable variants, every rejection with its log lines,
// and the writer's round trip (which comes back flipped).
#include "testsupport.h"
#include "texture.h"
#include "tgafile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Header(unsigned char type, int width, int height, unsigned char depth)
{
    Bytes h(18, 0);
    h[2] = type;
    h[12] = static_cast<unsigned char>(width & 0xFF);
    h[13] = static_cast<unsigned char>(width >> 8);
    h[14] = static_cast<unsigned char>(height & 0xFF);
    h[15] = static_cast<unsigned char>(height >> 8);
    h[16] = depth;
    return h;
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

Bytes ReadBytes(const std::string& path)
{
    const std::string text = ReadFileText(path);
    return Bytes(text.begin(), text.end());
}

struct LoadResult {
    bool ok = false;
    Bytes pixels;
    std::vector<std::string> log;
};

LoadResult LoadBytes(const TempFolder& folder, const Bytes& file, Texture& texture)
{
    const std::string path = folder.File("image.tga");
    WriteBytes(path, file);
    LogCapture log;
    TgaFile reader;
    PixelBuffer pixels;
    LoadResult result;
    result.ok = reader.Load(&texture, pixels, path.c_str());
    if (result.ok) {
        size_t size = static_cast<size_t>(texture.GetWidth()) * texture.GetHeight() * texture.GetBitsPerPixel() / 8;
        result.pixels.assign(pixels.get(), pixels.get() + size);
    } else {
        EXPECT_EQ(pixels, nullptr);
    }
    result.log = log.Lines();
    return result;
}

struct ReadCase {
    const char* name;
    Bytes file;
    unsigned int width;
    unsigned int height;
    unsigned int bits;
    Bytes expected;  // R, G, B(, A), rows in file order
};

class TgaReadCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TgaReadCases, LoadsPixelsInRgbOrderAndFileRowOrder)
{
    const ReadCase& c = GetParam();
    TempFolder folder;
    Texture texture;
    LoadResult result = LoadBytes(folder, c.file, texture);
    ASSERT_TRUE(result.ok) << c.name;
    EXPECT_TRUE(result.log.empty());
    EXPECT_EQ(texture.GetWidth(), c.width);
    EXPECT_EQ(texture.GetHeight(), c.height);
    EXPECT_EQ(texture.GetBitsPerPixel(), c.bits);
    EXPECT_EQ(texture.GetGLFormat(), c.bits == 32 ? kGLFormatRGBA : kGLFormatRGB);
    EXPECT_EQ(texture.GetName(), folder.File("image.tga"));
    EXPECT_EQ(result.pixels, c.expected);
}

Bytes Repeat(const Bytes& pixel, int count)
{
    Bytes out;
    for (int i = 0; i < count; ++i)
        out.insert(out.end(), pixel.begin(), pixel.end());
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Variants, TgaReadCases,
    ::
        testing::
            Values(ReadCase{"uncompressed24",
                            Concat(Header(2, 2, 2, 24), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
                            2,
                            2,
                            24,
                            {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}},
                   ReadCase{
                       "uncompressed32",
                       Concat(Header(2, 1, 2, 32), {1, 2, 3, 4, 5, 6, 7, 8}),
                       1,
                       2,
                       32,
                       {3, 2, 1, 4, 7, 6, 5, 8}},
                   // 3 x 2: a run of four crosses the first row's end, then a raw packet of two.
                   ReadCase{
                       "rle24PacketsCrossRows",
                       Concat(Header(10, 3, 2, 24), {0x83, 10, 20, 30, 0x01, 1, 2, 3, 4, 5, 6}),
                       3,
                       2,
                       24,
                       {30, 20, 10, 30, 20, 10, 30, 20, 10, 30, 20, 10, 3, 2, 1, 6, 5, 4}},
                   ReadCase{
                       "rle32RawThenRun",
                       Concat(Header(10, 2, 2, 32), {0x00, 1, 2, 3, 4, 0x82, 5, 6, 7, 8}),
                       2,
                       2,
                       32,
                       {3, 2, 1, 4, 7, 6, 5, 8, 7, 6, 5, 8, 7, 6, 5, 8}},
                   ReadCase{
                       "runHeader0x80StoresOne",
                       Concat(Header(10, 1, 1, 24), {0x80, 1, 2, 3}),
                       1,
                       1,
                       24,
                       {3, 2, 1}},
                   ReadCase{
                       "runHeader0xFFStores128",
                       Concat(Header(10, 128, 1, 24), {0xFF, 1, 2, 3}), 128, 1, 24, Repeat({3, 2, 1}, 128)},
                   ReadCase{
                       "rawHeader0x7FStores128",
                       Concat(Header(10, 128, 1, 24), Concat({0x7F}, Repeat({1, 2, 3}, 128))), 128, 1, 24, Repeat({3, 2, 1}, 128)},
                   // Sizes past 255 take their high byte.
                   ReadCase{
                       "width300",
                       Concat(Header(10, 300, 1, 24), {0xFF, 1, 2, 3, 0xFF, 1, 2, 3, 0xAB, 1, 2, 3}), 300, 1, 24, Repeat({3, 2, 1}, 300)},
                   ReadCase{
                       "height300",
                       Concat(Header(10, 1, 300, 24), {0xFF, 1, 2, 3, 0xFF, 1, 2, 3, 0xAB, 1, 2, 3}), 1, 300,
                       24, Repeat({3, 2, 1}, 300)},
                   // The descriptor's top-origin bit is ignored: rows stay in file order.
                   ReadCase{
                       "topOriginNotFlipped",
                       [] {
                           Bytes h = Concat(Header(2, 1, 2, 24), {1, 1, 1, 2, 2, 2});
                           h[17] = 0x20;
                           return h;
                       }(),
                       1,
                       2,
                       24,
                       {1, 1, 1, 2, 2, 2}}),
    CaseName());

struct RejectCase {
    const char* name;
    Bytes file;
    std::vector<std::string> lines;  // %s replaced by the path
};

class TgaRejectCases : public ::testing::TestWithParam<RejectCase> {};

std::string WithPath(std::string line, const std::string& path)
{
    size_t at = line.find("%s");
    if (at != std::string::npos)
        line.replace(at, 2, path);
    return line;
}

TEST_P(TgaRejectCases, FailsWithExactLogLines)
{
    const RejectCase& c = GetParam();
    TempFolder folder;
    Texture texture;
    LoadResult result = LoadBytes(folder, c.file, texture);
    EXPECT_FALSE(result.ok);
    std::vector<std::string> expected;
    for (const std::string& line : c.lines)
        expected.push_back(WithPath(line, folder.File("image.tga")));
    EXPECT_EQ(result.log, expected);
    EXPECT_EQ(texture.GetGLTextureId(), kNoGLTexture);
}

const char* kUnknown = "ERROR: Unknown file format for %s.\n";
const char* kUnable = "ERROR: Unable to load TGA file %s.\n";

Bytes WithByte(Bytes b, size_t at, unsigned char value)
{
    b[at] = value;
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Rejections, TgaRejectCases,
    ::testing::Values(
        RejectCase{"shortHeader", {0, 0, 2, 0, 0}, {"ERROR: Cannot read TGA header for %s.\n"}},
        RejectCase{"idLength", WithByte(Concat(Header(2, 1, 1, 24), {0, 0, 0}), 0, 4), {kUnknown}},
        RejectCase{"colourMap", WithByte(Concat(Header(2, 1, 1, 24), {0, 0, 0}), 1, 1), {kUnknown}},
        RejectCase{
            "yOrigin480", WithByte(WithByte(Concat(Header(2, 1, 1, 24), {0, 0, 0}), 10, 0xE0), 11, 0x01), {kUnknown}},
        RejectCase{"greyscaleType3", Concat(Header(3, 1, 1, 8), {0}), {kUnknown}},
        RejectCase{"colourMappedType1", Concat(Header(1, 1, 1, 8), {0}), {kUnknown}},
        RejectCase{"depth16", Concat(Header(2, 1, 1, 16), {0, 0}), {kUnable}},
        RejectCase{"depth8", Concat(Header(2, 1, 1, 8), {0}), {kUnable}},
        RejectCase{"width0", Header(2, 0, 1, 24), {kUnable}}, RejectCase{"height0", Header(10, 1, 0, 32), {kUnable}},
        RejectCase{"shortRestOfHeader", Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, {kUnable}},
        RejectCase{"shortUncompressedData", Concat(Header(2, 2, 2, 24), {1, 2, 3}), {kUnable}},
        RejectCase{"lastPacketTooLong",
                   Concat(Header(10, 2, 1, 24), {0x82, 1, 2, 3}),
                   {"Too many pixels read\n", kUnable}},
        RejectCase{"secondPacketTooLong",
                   Concat(Header(10, 2, 1, 24), {0x80, 1, 2, 3, 0x81, 4, 5, 6}),
                   {"Too many pixels read\n", kUnable}},
        RejectCase{"rawPacketTooLong",
                   Concat(Header(10, 1, 1, 24), {0x01, 1, 2, 3, 4, 5, 6}),
                   {"Too many pixels read\n", kUnable}},
        RejectCase{
            "truncatedInRunValue", Concat(Header(10, 2, 1, 24), {0x81, 1}), {"Could not read from file\n", kUnable}},
        RejectCase{"truncatedInRawPacket", Concat(Header(10, 2, 1, 24), {0x01, 1, 2, 3, 4}), {kUnable}},
        RejectCase{"missingPacket", Concat(Header(10, 2, 1, 24), {0x80, 1, 2, 3}), {kUnable}},
        // 65535 x 65535 x 4 bytes needs more than 32 bits; the short file still fails cleanly.
        RejectCase{"hugeUncompressed", Concat(Header(2, 65535, 65535, 32), {1, 2, 3, 4}), {kUnable}}),
    CaseName());

TEST(TgaReader, MissingFileLogsOpenFailure)
{
    TempFolder folder;
    Texture texture;
    LogCapture log;
    TgaFile reader;
    PixelBuffer pixels;
    const std::string path = folder.File("absent.tga");
    EXPECT_FALSE(reader.Load(&texture, pixels, path.c_str()));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unable to find or open the TGA file: " + path + "\n"});
}

TEST(TgaReader, PipesAndFoldersAreNotOpened)
{
    TempFolder folder;
    const std::string pipe = folder.File("pipe.tga");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    Texture texture;
    TgaFile reader;
    PixelBuffer pixels;
    LogCapture log;
    EXPECT_FALSE(reader.Load(&texture, pixels, pipe.c_str()));
    EXPECT_FALSE(reader.Load(&texture, pixels, folder.Path().c_str()));
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Unable to find or open the TGA file: " + pipe + "\n",
                                                     "Unable to find or open the TGA file: " + folder.Path() + "\n"}));
}

// A 22-byte file claiming 65535 x 65535 pixels (17 GB) is refused before
// any pixel buffer is reserved: in a child whose address space is capped,
// an attempt to reserve it ends the child through the new-handler.
TEST(TgaReader, ShortFileIsRefusedBeforeThePixelBufferIsReserved)
{
    constexpr int kReserved = 3;
    for (unsigned char type : {2, 10}) {
        TempFolder folder;
        const std::string path = folder.File("huge.tga");
        WriteBytes(path, Concat(Header(type, 65535, 65535, 32), {0x80, 1, 2, 3, 4}));
        const int result = RunInChild([&] {
            LimitAddressSpace(size_t{256} << 20);
            std::set_new_handler([] { ::_exit(kReserved); });
            Texture texture;
            PixelBuffer pixels;
            return TgaFile().Load(&texture, pixels, path.c_str()) ? 1 : 0;
        });
        EXPECT_EQ(result, 0) << "type " << int(type);
    }
}

TEST(TgaReader, BackslashSeparatorsOpen)
{
    TempFolder folder;
    folder.Write("sub/image.tga", SolidTga(1, 2, 3));
    Texture texture;
    PixelBuffer pixels;
    EXPECT_TRUE(TgaFile().Load(&texture, pixels, (folder.Path() + "\\sub\\image.tga").c_str()));
}

TEST(TgaReader, BytesAfterTheLastPacketAreNotRead)
{
    TempFolder folder;
    Texture texture;
    Bytes footer(26, 0xAB);
    LoadResult result = LoadBytes(folder, Concat(Concat(Header(10, 1, 1, 24), {0x80, 1, 2, 3}), footer), texture);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.pixels, (Bytes{3, 2, 1}));
}

TEST(TgaWriter, WritesUncompressed32BitTopOriginHeader)
{
    TempFolder folder;
    const std::string path = folder.File("out.tga");
    Bytes pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    TgaFile writer;
    ASSERT_TRUE(writer.Write(pixels.data(), 3, 2, path.c_str(), false));
    Bytes file = ReadBytes(path);
    ASSERT_EQ(file.size(), 18u + 24u);
    Bytes header(file.begin(), file.begin() + 18);
    EXPECT_EQ(header, (Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 32, 0x20}));
    // Rows were given bottom first and are written top first.
    Bytes data(file.begin() + 18, file.end());
    EXPECT_EQ(data, (Bytes{13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(TgaWriter, SwapsRedAndBlueWhenAsked)
{
    TempFolder folder;
    const std::string path = folder.File("out.tga");
    Bytes pixels = {1, 2, 3, 4};
    TgaFile writer;
    ASSERT_TRUE(writer.Write(pixels.data(), 1, 1, path.c_str(), true));
    Bytes file = ReadBytes(path);
    EXPECT_EQ(Bytes(file.begin() + 18, file.end()), (Bytes{3, 2, 1, 4}));
}

TEST(TgaWriter, RoundTripComesBackFlippedVertically)
{
    TempFolder folder;
    const std::string path = folder.File("round.tga");
    const Bytes bottomFirst = {10, 20, 30, 40, 50, 60, 70, 80};  // two rows of one BGRA pixel
    Bytes buffer = bottomFirst;
    TgaFile writer;
    ASSERT_TRUE(writer.Write(buffer.data(), 1, 2, path.c_str(), false));
    Texture texture;
    TgaFile reader;
    PixelBuffer pixels;
    ASSERT_TRUE(reader.Load(&texture, pixels, path.c_str()));
    EXPECT_EQ(texture.GetBitsPerPixel(), 32u);
    // Row 0 read back is the top row written, and B, G, R became R, G, B.
    EXPECT_EQ(Bytes(pixels.get(), pixels.get() + 8), (Bytes{70, 60, 50, 80, 30, 20, 10, 40}));
}

TEST(TgaWriter, UnwritablePathLogsAndFails)
{
    TempFolder folder;
    const std::string path = folder.File("missing/dir/out.tga");
    Bytes pixels(4, 0);
    LogCapture log;
    TgaFile writer;
    EXPECT_FALSE(writer.Write(pixels.data(), 1, 1, path.c_str(), false));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Unable to open " + path + " for writing.\n"});
    EXPECT_FALSE(writer.Write(pixels.data(), 1, 1, nullptr, false));
    EXPECT_FALSE(writer.Write(pixels.data(), 1, 1, "/dev/full", false));
}

TEST(TgaFlip, OddHeightKeepsTheMiddleRow)
{
    Bytes pixels = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    TgaFile::FlipVertically(pixels.data(), 1, 3, 4);
    EXPECT_EQ(pixels, (Bytes{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
}

}  // namespace
