// TGA reading and writing; see tgafile.h.
#include "tgafile.h"

#include "debuglog.h"
#include "filepath.h"
#include "texture.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kUncompressedHeader[kTgaHeaderMatchSize] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr unsigned char kCompressedHeader[kTgaHeaderMatchSize] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr size_t kTgaHeaderSize = kTgaHeaderMatchSize + kTgaHeaderRestSize;
constexpr unsigned char kWriteType = 2;
constexpr unsigned char kWriteDepth = 32;
constexpr unsigned char kWriteDescriptor = 0x20;  // first row is the top row
constexpr unsigned int kRawPacketLimit = 128;     // packet headers below this are raw
constexpr unsigned int kRunOffset = 127;          // a run header h repeats h - 127 pixels
constexpr size_t kMaxPixelsPerPacket = 128;

// Bytes from the current position to the end of the file.
long RemainingBytes(FILE* file)
{
    long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    long end = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return end < here ? -1 : end - here;
}

}  // namespace

bool TgaFile::Load(Texture* texture, PixelBuffer& pixelsOut, const char* fileName)
{
    pixelsOut.reset();
    if (!texture || !fileName)
        return false;
    FILE* file = OpenFile(fileName, "rb");
    if (!file) {
        DebugLog("Unable to find or open the TGA file: %s\n", fileName);
        return false;
    }
    if (std::fread(header_, 1, kTgaHeaderMatchSize, file) != kTgaHeaderMatchSize) {
        DebugLog("ERROR: Cannot read TGA header for %s.\n", fileName);
        std::fclose(file);
        return false;
    }
    bool loaded = false;
    if (std::memcmp(header_, kUncompressedHeader, kTgaHeaderMatchSize) == 0) {
        loaded = LoadUncompressed(texture, pixelsOut, fileName, file);
    } else if (std::memcmp(header_, kCompressedHeader, kTgaHeaderMatchSize) == 0) {
        loaded = LoadCompressed(texture, pixelsOut, fileName, file);
    } else {
        DebugLog("ERROR: Unknown file format for %s.\n", fileName);
        std::fclose(file);
        return false;
    }
    std::fclose(file);
    if (!loaded) {
        pixelsOut.reset();
        DebugLog("ERROR: Unable to load TGA file %s.\n", fileName);
        return false;
    }
    return true;
}

bool TgaFile::ReadCommonStart(Texture* texture, FILE* file)
{
    if (std::fread(info_, 1, kTgaHeaderRestSize, file) != kTgaHeaderRestSize)
        return false;
    width_ = info_[1] * 256u + info_[0];
    height_ = info_[3] * 256u + info_[2];
    depth_ = info_[4];
    texture->width_ = width_;
    texture->height_ = height_;
    texture->bitsPerPixel_ = depth_;
    if (width_ == 0 || height_ == 0)
        return false;
    if (depth_ != 24 && depth_ != 32)
        return false;
    bytesPerPixel_ = depth_ / 8;
    texture->glFormat_ = depth_ == 24 ? kGLFormatRGB : kGLFormatRGBA;
    // size_t: 65535 x 65535 x 4 does not fit in 32 bits.
    imageSize_ = static_cast<size_t>(width_) * height_ * bytesPerPixel_;
    return true;
}

bool TgaFile::ReservePixels(PixelBuffer& pixelsOut, FILE* file, bool compressed)
{
    // The file must be able to hold the image before its buffer is reserved:
    // every pixel stored, or at most 128 pixels for each byte of packets.
    const long remaining = RemainingBytes(file);
    if (remaining < 0)
        return false;
    const size_t bytes = static_cast<size_t>(remaining);
    const size_t pixelCount = static_cast<size_t>(width_) * height_;
    if (compressed ? pixelCount / kMaxPixelsPerPacket > bytes : imageSize_ > bytes)
        return false;
    pixelsOut.reset(new (std::nothrow) unsigned char[imageSize_]);
    return pixelsOut != nullptr;
}

bool TgaFile::LoadUncompressed(Texture* texture, PixelBuffer& pixelsOut, const char* fileName, FILE* file)
{
    if (!ReadCommonStart(texture, file) || !ReservePixels(pixelsOut, file, false))
        return false;
    if (std::fread(pixelsOut.get(), 1, imageSize_, file) != imageSize_)
        return false;
    unsigned char* pixels = pixelsOut.get();
    for (size_t i = 0; i < imageSize_; i += bytesPerPixel_)
        std::swap(pixels[i], pixels[i + 2]);
    texture->name_ = fileName;
    return true;
}

bool TgaFile::LoadCompressed(Texture* texture, PixelBuffer& pixelsOut, const char* fileName, FILE* file)
{
    if (!ReadCommonStart(texture, file) || !ReservePixels(pixelsOut, file, true))
        return false;
    const size_t pixelCount = static_cast<size_t>(width_) * height_;
    unsigned char* out = pixelsOut.get();
    unsigned char scratch[4] = {};
    size_t stored = 0;

    auto storePixel = [&]() {
        unsigned char* p = out + stored * bytesPerPixel_;
        p[0] = scratch[2];
        p[1] = scratch[1];
        p[2] = scratch[0];
        if (bytesPerPixel_ == 4)
            p[3] = scratch[3];
        ++stored;
    };

    while (stored < pixelCount) {
        unsigned char packet = 0;
        if (std::fread(&packet, 1, 1, file) != 1)
            return false;
        const bool raw = packet < kRawPacketLimit;
        const size_t count = raw ? packet + 1u : packet - kRunOffset;
        if (count > pixelCount - stored) {
            DebugLog("Too many pixels read\n");
            return false;
        }
        if (raw) {
            for (size_t i = 0; i < count; ++i) {
                if (std::fread(scratch, 1, bytesPerPixel_, file) != bytesPerPixel_)
                    return false;
                storePixel();
            }
        } else {
            if (std::fread(scratch, 1, bytesPerPixel_, file) != bytesPerPixel_) {
                DebugLog("Could not read from file\n");
                return false;
            }
            for (size_t i = 0; i < count; ++i)
                storePixel();
        }
    }
    texture->name_ = fileName;
    return true;
}

bool TgaFile::Write(unsigned char* pixels, int width, int height, const char* fileName, bool swapRedBlue)
{
    if (!fileName)
        return false;
    FILE* file = std::fopen(fileName, "wb");
    if (!file) {
        DebugLog("Unable to open %s for writing.\n", fileName);
        return false;
    }
    unsigned char header[kTgaHeaderSize] = {};
    header[2] = kWriteType;
    header[12] = static_cast<unsigned char>(width & 0xFF);
    header[13] = static_cast<unsigned char>((width >> 8) & 0xFF);
    header[14] = static_cast<unsigned char>(height & 0xFF);
    header[15] = static_cast<unsigned char>((height >> 8) & 0xFF);
    header[16] = kWriteDepth;
    header[17] = kWriteDescriptor;
    bool written = std::fwrite(header, 1, kTgaHeaderSize, file) == kTgaHeaderSize;

    const size_t size = width > 0 && height > 0 ? static_cast<size_t>(width) * height * 4 : 0;
    if (pixels && size > 0) {
        FlipVertically(pixels, width, height, 4);
        if (swapRedBlue)
            for (size_t i = 0; i < size; i += 4)
                std::swap(pixels[i], pixels[i + 2]);
        written = written && std::fwrite(pixels, 1, size, file) == size;
    }
    written = (std::fclose(file) == 0) && written;
    if (!written)
        DebugLog("Unable to write %s.\n", fileName);
    return written;
}

void TgaFile::FlipVertically(unsigned char* pixels, int width, int height, int bytesPerPixel)
{
    if (!pixels || width <= 0 || height <= 0 || bytesPerPixel <= 0)
        return;
    const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
    for (int r = 0; r < height / 2; ++r) {
        unsigned char* top = pixels + static_cast<size_t>(r) * rowBytes;
        unsigned char* bottom = pixels + static_cast<size_t>(height - 1 - r) * rowBytes;
        std::swap_ranges(top, top + rowBytes, bottom);
    }
}
