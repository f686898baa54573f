// Truevision TGA codec: reads uncompressed (type 2) and run-length encoded
// (type 10) true-colour files at 24 or 32 bits into a pixel buffer, and
// writes uncompressed 32-bit files. Textures read through it; screenshots
// write the back buffer with it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

class Texture;

using PixelBuffer = std::unique_ptr<unsigned char[]>;

constexpr size_t kTgaHeaderMatchSize = 12;
constexpr size_t kTgaHeaderRestSize = 6;

class TgaFile {
public:
    // Fills the texture's width, height, bitsPerPixel, glFormat and name and
    // hands out width x height x depth/8 bytes in R, G, B(, A) order, rows in
    // file order (the descriptor's origin bits are not looked at).
    bool Load(Texture* texture, PixelBuffer& pixelsOut, const char* fileName);
    // The two bodies, called with the file positioned after the first 12 bytes.
    bool LoadUncompressed(Texture* texture, PixelBuffer& pixelsOut, const char* fileName, FILE* file);
    bool LoadCompressed(Texture* texture, PixelBuffer& pixelsOut, const char* fileName, FILE* file);
    // Writes a 32-bit uncompressed file (descriptor 0x20) from width x height x 4
    // bytes given bottom row first; the buffer is flipped (and swapped) in place.
    bool Write(unsigned char* pixels, int width, int height, const char* fileName, bool swapRedBlue);
    // Swaps row r with row height - 1 - r, four bytes at a time.
    static void FlipVertically(unsigned char* pixels, int width, int height, int bytesPerPixel);

private:
    bool ReadCommonStart(Texture* texture, FILE* file);
    // Reserves the pixel buffer once the rest of the file can hold the image.
    bool ReservePixels(PixelBuffer& pixelsOut, FILE* file, bool compressed);

    unsigned char header_[kTgaHeaderMatchSize] = {};
    unsigned char info_[kTgaHeaderRestSize] = {};
    unsigned int bytesPerPixel_ = 0;
    size_t imageSize_ = 0;
    unsigned int height_ = 0;
    unsigned int width_ = 0;
    unsigned int depth_ = 0;
};
