// Fuzzes the TGA reader: any input either loads into a buffer that matches
// the size it reports, or fails with no buffer.
#include "fuzzscratch.h"
#include "texture.h"
#include "tgafile.h"

#include <cstdint>

namespace {

// Headers may ask for up to 65535 x 65535 pixels by design; larger images
// than this are skipped so the fuzzer's memory limit is not the finding.
constexpr size_t kMaxPixels = size_t{1} << 22;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size >= 16) {
        const size_t width = data[12] | (data[13] << 8);
        const size_t height = data[14] | (data[15] << 8);
        if (width * height > kMaxPixels)
            return 0;
    }
    const std::string path = WriteScratch("input.tga", data, size);
    Texture texture;
    TgaFile reader;
    PixelBuffer pixels;
    if (reader.Load(&texture, pixels, path.c_str())) {
        const unsigned int bits = texture.GetBitsPerPixel();
        if (!pixels || texture.GetWidth() == 0 || texture.GetHeight() == 0 || (bits != 24 && bits != 32))
            __builtin_trap();
        if (texture.GetGLFormat() != (bits == 32 ? kGLFormatRGBA : kGLFormatRGB) || texture.GetName() != path)
            __builtin_trap();
        // Touch every byte the reader says it filled.
        const size_t bytes = size_t{texture.GetWidth()} * texture.GetHeight() * (bits / 8);
        unsigned int sum = 0;
        for (size_t i = 0; i < bytes; ++i)
            sum += pixels[i];
        volatile unsigned int sink = sum;
        (void)sink;
    } else if (pixels) {
        __builtin_trap();
    }
    return 0;
}
