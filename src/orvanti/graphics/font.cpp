// FreeType glyphs as textured display lists, and formatted text; see font.h.
#include <GL/glew.h>

#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include "gfxcomponent.h"
#include "mathutil.h"
#include "texture.h"
#include "texturemanager.h"

#include <cstdarg>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr double kLineSpacingRatio = 0.63;
constexpr int kDotsPerInch = 96;
constexpr int kFixedPointOne = 64;  // 26.6 fixed point
constexpr int kGreyLevels = 256;

// Done on every path out of Init.
struct FreeTypeSession {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FreeTypeSession()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

struct GlyphGuard {
    FT_Glyph glyph = nullptr;
    ~GlyphGuard()
    {
        if (glyph)
            FT_Done_Glyph(glyph);
    }
};

// Coverage 0..255 of pixel (i, j) of a glyph bitmap, row 0 at the top.
unsigned char Coverage(const FT_Bitmap& bitmap, unsigned int i, unsigned int j)
{
    const int pitch = bitmap.pitch;
    const unsigned char* row =
        pitch >= 0 ? bitmap.buffer + static_cast<size_t>(j) * static_cast<size_t>(pitch)
                   : bitmap.buffer + static_cast<size_t>(bitmap.rows - 1 - j) * static_cast<size_t>(-pitch);
    switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_MONO:
            return (row[i / 8] & (0x80 >> (i % 8))) ? 255 : 0;
        case FT_PIXEL_MODE_GRAY:
            if (bitmap.num_grays == kGreyLevels || bitmap.num_grays < 2)
                return row[i];
            return static_cast<unsigned char>(row[i] * 255 / (bitmap.num_grays - 1));
        default:
            return 0;
    }
}

std::vector<std::string> SplitLines(const char* text)
{
    std::vector<std::string> lines(1);
    for (const char* c = text; *c; ++c) {
        if (*c == '\n')
            lines.emplace_back();
        else
            lines.back() += *c;
    }
    return lines;
}

std::vector<std::string> FormatLines(const char* format, va_list args)
{
    char text[kFontTextSize] = {};
    if (format)
        std::vsnprintf(text, sizeof text, format, args);
    return SplitLines(text);
}

}  // namespace

Font::Font()
    : textureManager(GfxComponent::GetInstance()->textures.get())
{}

const Texture* Font::GetGlyphTexture(unsigned int code) const
{
    return code < glyphTextures.size() ? glyphTextures[code] : nullptr;
}

void Font::Init(const char* path, unsigned int size)
{
    Clean();
    glyphTextures.assign(kFontGlyphCount, nullptr);
    lineSpacing = static_cast<uint32_t>(size / kLineSpacingRatio);
    FreeTypeSession freeType;
    if (FT_Init_FreeType(&freeType.library))
        throw std::runtime_error("FT_Init_FreeType failed");
    if (!path || FT_New_Face(freeType.library, path, 0, &freeType.face))
        throw std::runtime_error("FT_New_Face failed (there is probably a problem with your font file)");
    const FT_F26Dot6 charSize = static_cast<FT_F26Dot6>(size) * kFixedPointOne;
    FT_Set_Char_Size(freeType.face, charSize, charSize, kDotsPerInch, kDotsPerInch);
    listBase = glGenLists(kFontGlyphCount);
    for (unsigned int code = 0; code < kFontGlyphCount; ++code)
        MakeGlyph(freeType.face, code, listBase, glyphTextures.data());
}

void Font::MakeGlyph(FT_FaceRec_* face, unsigned int code, unsigned int base, Texture** textures)
{
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, code), FT_LOAD_DEFAULT))
        throw std::runtime_error("FT_Load_Glyph failed");
    GlyphGuard guard;
    if (FT_Get_Glyph(face->glyph, &guard.glyph))
        throw std::runtime_error("FT_Get_Glyph failed");
    // A glyph that cannot be rendered is drawn empty.
    const bool rendered = FT_Glyph_To_Bitmap(&guard.glyph, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0 &&
                          guard.glyph->format == FT_GLYPH_FORMAT_BITMAP;
    FT_BitmapGlyph bitmapGlyph = rendered ? reinterpret_cast<FT_BitmapGlyph>(guard.glyph) : nullptr;
    const FT_Bitmap empty{};
    const FT_Bitmap& bitmap = bitmapGlyph ? bitmapGlyph->bitmap : empty;
    const int left = bitmapGlyph ? bitmapGlyph->left : 0;
    const int top = bitmapGlyph ? bitmapGlyph->top : 0;

    const unsigned int w = static_cast<unsigned int>(NextPowerOfTwo(static_cast<int>(bitmap.width)));
    const unsigned int h = static_cast<unsigned int>(NextPowerOfTwo(static_cast<int>(bitmap.rows)));
    std::vector<unsigned char> image(static_cast<size_t>(w) * h * 2, 0);
    for (unsigned int j = 0; j < bitmap.rows; ++j)
        for (unsigned int i = 0; i < bitmap.width; ++i) {
            const unsigned char value = Coverage(bitmap, i, j);
            image[2 * (i + j * w)] = value;
            image[2 * (i + j * w) + 1] = value;
        }
    const char name[2] = {static_cast<char>(code), '\0'};
    Texture* texture = textureManager ? textureManager->CreateFromBitmap(name, image.data(), w, h, GL_RGBA) : nullptr;
    textures[code] = texture;

    const float width = static_cast<float>(bitmap.width);
    const float rows = static_cast<float>(bitmap.rows);
    const float x = width / static_cast<float>(w);
    const float y = rows / static_cast<float>(h);
    glNewList(base + code, GL_COMPILE);
    if (texture)
        glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    glPushMatrix();
    glTranslatef(static_cast<float>(left), 0.0f, 0.0f);
    glTranslatef(0.0f, static_cast<float>(top) - rows, 0.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, rows);
    glTexCoord2f(0.0f, y);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(x, y);
    glVertex2f(width, 0.0f);
    glTexCoord2f(x, 0.0f);
    glVertex2f(width, rows);
    glEnd();
    glPopMatrix();
    glTranslatef(static_cast<float>(face->glyph->advance.x) / static_cast<float>(kFixedPointOne), 0.0f, 0.0f);
    glEndList();
}

void Font::Clean()
{
    if (listBase != 0)
        glDeleteLists(listBase, kFontGlyphCount);
    listBase = 0;
    for (Texture*& texture : glyphTextures)
        if (texture && textureManager)
            textureManager->Release(texture);
    glyphTextures.clear();
}

std::vector<std::string> FontLines(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vector<std::string> lines = FormatLines(format, args);
    va_end(args);
    return lines;
}

void FontPrint(const Font& font, float x, float y, const char* format, ...)
{
    if (!font.IsBuilt())
        return;
    va_list args;
    va_start(args, format);
    const std::vector<std::string> lines = FormatLines(format, args);
    va_end(args);

    glPushAttrib(GL_LIST_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glListBase(font.GetListBase());
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (size_t i = 0; i < lines.size(); ++i) {
        const unsigned int drop = font.GetLineSpacing() * static_cast<unsigned int>(i);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(x, y - static_cast<float>(drop), 0.0f);
        glMultMatrixf(modelview);
        glCallLists(static_cast<GLsizei>(lines[i].size()), GL_UNSIGNED_BYTE, lines[i].data());
        glPopMatrix();
    }
    glPopAttrib();
}
