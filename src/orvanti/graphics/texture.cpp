// Texture uploads; see texture.h.
#include <GL/glew.h>

#include "texture.h"

#include "tgafile.h"

#include <new>
#include <vector>

Texture::Texture() = default;

Texture::~Texture()
{
    if (glTextureId_ != kNoGLTexture)
        glDeleteTextures(1, &glTextureId_);
}

bool Texture::LoadTGA(const std::string& fileName)
{
    return LoadTGAWithWrap(fileName, false);
}

bool Texture::LoadTGAClamped(const std::string& fileName)
{
    return LoadTGAWithWrap(fileName, true);
}

bool Texture::LoadTGAWithWrap(const std::string& fileName, bool clamped)
{
    TgaFile reader;
    PixelBuffer pixels;
    if (!reader.Load(this, pixels, fileName.c_str()))
        return false;
    BindNewGLTexture();
    if (clamped) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, glFormat_, width_, height_, 0, glFormat_, GL_UNSIGNED_BYTE, pixels.get());
    return true;
}

bool Texture::CreateFromBitmap(const std::string& name, const unsigned char* pixels, unsigned int width,
                               unsigned int height, unsigned int internalFormat)
{
    if (!pixels)
        return false;
    glFormat_ = internalFormat;
    width_ = width;
    height_ = height;
    name_ = name;
    BindNewGLTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, pixels);
    return true;
}

bool Texture::CreateBlank(const std::string& name, unsigned int size, unsigned int bytesPerPixel)
{
    name_ = name;
    width_ = size;
    height_ = size;
    const unsigned int channels = bytesPerPixel == 4 ? 4 : 3;
    bitsPerPixel_ = channels * 8;
    glFormat_ = channels == 4 ? kGLFormatRGBA : kGLFormatRGB;
    std::vector<unsigned char> zeros(static_cast<size_t>(size) * size * channels, 0);
    BindNewGLTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, glFormat_, size, size, 0, glFormat_, GL_UNSIGNED_BYTE, zeros.data());
    return true;
}

void Texture::BindNewGLTexture()
{
    if (glTextureId_ != kNoGLTexture)
        glDeleteTextures(1, &glTextureId_);
    glGenTextures(1, &glTextureId_);
    glBindTexture(GL_TEXTURE_2D, glTextureId_);
    // Rows of odd width (RGB, luminance-alpha) are not 4-byte aligned.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}
