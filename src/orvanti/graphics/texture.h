// One OpenGL 2D texture with the name it was made under and its pixel size.
// Textures are made and owned only by the TextureManager; materials, the sky
// box, fonts, animations and screens hold plain pointers to them.
#pragma once

#include <string>

// OpenGL pixel formats, kept here so this header needs no GL header.
constexpr unsigned int kGLFormatRGB = 0x1907;       // GL_RGB
constexpr unsigned int kGLFormatRGBA = 0x1908;      // GL_RGBA
constexpr unsigned int kNoGLTexture = 0xFFFFFFFFu;  // no GL texture made yet

class Texture {
public:
    Texture();
    // Deletes the GL texture when one exists (needs the GL context).
    ~Texture();
    // Not copyable: two objects would delete one GL texture name.
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Reads a TGA file and uploads it with linear filters.
    bool LoadTGA(const std::string& fileName);
    // The same with both wrap modes clamped to the edge.
    bool LoadTGAClamped(const std::string& fileName);
    // Uploads a caller's buffer of two bytes per pixel (luminance, alpha);
    // the caller keeps its buffer. False for null pixels.
    bool CreateFromBitmap(const std::string& name, const unsigned char* pixels, unsigned int width, unsigned int height,
                          unsigned int internalFormat);
    // A zero-filled square texture; 4 bytes per pixel gives RGBA, anything else RGB.
    bool CreateBlank(const std::string& name, unsigned int size, unsigned int bytesPerPixel);

    const std::string& GetName() const { return name_; }
    unsigned int GetBitsPerPixel() const { return bitsPerPixel_; }
    unsigned int GetWidth() const { return width_; }
    unsigned int GetHeight() const { return height_; }
    unsigned int GetGLTextureId() const { return glTextureId_; }
    unsigned int GetGLFormat() const { return glFormat_; }
    // How many loads hold this texture (the manager deletes it at zero).
    int GetLoadCount() const { return loadCount_; }

private:
    friend class TgaFile;
    friend class TextureManager;

    bool LoadTGAWithWrap(const std::string& fileName, bool clamped);
    // Replaces the GL texture with a new bound one: linear filters, unpack alignment 1.
    void BindNewGLTexture();

    std::string name_;
    unsigned int bitsPerPixel_ = 0;
    unsigned int width_ = 0;
    unsigned int height_ = 0;
    unsigned int glTextureId_ = kNoGLTexture;
    unsigned int glFormat_ = kGLFormatRGB;
    int loadCount_ = 0;
};
