// Font: a FreeType-readable font file turned into 128 OpenGL display
// lists, one per character code 0 to 127, each drawing its glyph as a
// textured quad sized in pixels and moving the pen on. FontPrint draws
// printf-formatted lines with them, in 2D window units. Glyph textures
// come from the graphics component's texture manager. The game draws its
// texts with pictures; the engine offers this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Texture;
class TextureManager;
struct FT_FaceRec_;

constexpr int kFontGlyphCount = 128;
constexpr size_t kFontTextSize = 256;

class Font {
public:
    Font();
    // Does nothing: the owner calls Clean while the GL context and the texture manager exist.
    ~Font() = default;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Builds the 128 glyphs at the size in pixels (a font built before is
    // cleaned first). Throws std::runtime_error naming the FreeType step
    // that failed; the glyphs built before a failure stay until Clean.
    void Init(const char* path, unsigned int size);
    // One character's texture (grey or one-bit glyph bitmaps, read row by
    // row with the bitmap's pitch) and display list.
    void MakeGlyph(FT_FaceRec_* face, unsigned int code, unsigned int base, Texture** textures);
    // Deletes the lists and gives the textures back; safe at any time.
    void Clean();

    unsigned int GetLineSpacing() const { return lineSpacing; }
    unsigned int GetListBase() const { return listBase; }
    // Null before Init and after Clean.
    const Texture* GetGlyphTexture(unsigned int code) const;
    bool IsBuilt() const { return !glyphTextures.empty(); }

private:
    uint32_t lineSpacing = 0;
    std::vector<Texture*> glyphTextures;  // held by the texture manager
    TextureManager* textureManager = nullptr;
    unsigned int listBase = 0;
};

// The lines FontPrint draws: the text formatted into at most 255
// characters, split at each "\n" (the text after the last one is a line
// too, even when empty).
std::vector<std::string> FontLines(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Draws the lines downwards from (x, y) in steps of the line spacing; a
// font that is not built draws nothing.
void FontPrint(const Font& font, float x, float y, const char* format, ...) __attribute__((format(printf, 4, 5)));
