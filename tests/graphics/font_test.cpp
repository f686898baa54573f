// Bitmap fonts under Xvfb: DejaVu Sans from fonts-dejavu-core for grey
// glyphs, a tiny hand-written BDF font for one-bit glyphs, line spacing,
// the formatted lines, drawing, and cleaning after a failed start.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "font.h"
#include "gltestsupport.h"
#include "testsupport.h"
#include "texture.h"

namespace {

class FontTest : public gltest::GlTest {};

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// One 8 x 8 strike (6 points at 96 dpi): "A" drawn in its rows, and the default glyph blank.
constexpr const char* kTinyBdf = "STARTFONT 2.1\n"
                                 "FONT -Morvo-Tiny-Medium-R-Normal--8-80-75-75-C-80-ISO10646-1\n"
                                 "SIZE 8 75 75\n"
                                 "FONTBOUNDINGBOX 8 8 0 -1\n"
                                 "STARTPROPERTIES 3\n"
                                 "FONT_ASCENT 7\n"
                                 "FONT_DESCENT 1\n"
                                 "DEFAULT_CHAR 32\n"
                                 "ENDPROPERTIES\n"
                                 "CHARS 3\n"
                                 "STARTCHAR space\nENCODING 32\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 8 0 -1\nBITMAP\n"
                                 "00\n00\n00\n00\n00\n00\n00\n00\nENDCHAR\n"
                                 "STARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 8 0 -1\nBITMAP\n"
                                 "18\n24\n42\n7E\n42\n42\n81\n00\nENDCHAR\n"
                                 "STARTCHAR B\nENCODING 66\nSWIDTH 1000 0\nDWIDTH 16 0\nBBX 16 8 0 -1\nBITMAP\n"
                                 "FF01\n8003\n4005\n2009\n1011\n0821\n0441\n0381\nENDCHAR\n"
                                 "ENDFONT\n";
// Glyph rows from the top, the leftmost pixel in the highest bit.
constexpr unsigned kTinyA[8] = {0x18, 0x24, 0x42, 0x7E, 0x42, 0x42, 0x81, 0x00};
constexpr unsigned kTinyB[8] = {0xFF01, 0x8003, 0x4005, 0x2009, 0x1011, 0x0821, 0x0441, 0x0381};

struct TinyGlyph {
    char code;
    unsigned width;
    const unsigned* rows;
};
constexpr TinyGlyph kTinyGlyphs[] = {{'A', 8, kTinyA}, {'B', 16, kTinyB}};

bool TinyBit(const TinyGlyph& glyph, unsigned row, unsigned column)
{
    return (glyph.rows[row] >> (glyph.width - 1 - column)) & 1u;
}

// The texture's luminance and alpha bytes, row by row.
std::vector<unsigned char> TexturePixels(const Texture& texture)
{
    std::vector<unsigned char> pixels(texture.GetWidth() * texture.GetHeight() * 2);
    glBindTexture(GL_TEXTURE_2D, texture.GetGLTextureId());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

TEST(FontLines, FormatsIntoAtMost255CharactersAndSplitsAtNewlines)
{
    EXPECT_EQ(FontLines("%s", ""), (std::vector<std::string>{""}));
    EXPECT_EQ(FontLines("%d\n%s", 12, "ab"), (std::vector<std::string>{"12", "ab"}));
    EXPECT_EQ(FontLines("end\n"), (std::vector<std::string>{"end", ""}));
    EXPECT_EQ(FontLines(nullptr), (std::vector<std::string>{""}));
    const std::string longText(300, 'x');
    EXPECT_EQ(FontLines("%s", longText.c_str()), (std::vector<std::string>{std::string(255, 'x')}));
}

TEST_F(FontTest, FontFromDejaVuDrawsText)
{
    Font font;
    font.Init(kDejaVu, 16);
    EXPECT_EQ(font.GetLineSpacing(), 25u);
    const Texture* a = font.GetGlyphTexture('A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetWidth() & (a->GetWidth() - 1), 0u);
    EXPECT_GE(a->GetWidth(), 8u);
    EXPECT_EQ(font.GetGlyphTexture(200), nullptr);

    Begin2D();
    FontPrint(font, 4.0f, 40.0f, "%s\n%s", "HH", "HH");
    End2D();
    int lit = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 40; ++x)
            lit += gltest::ReadPixel(x, y)[0] > 128 ? 1 : 0;
    EXPECT_GT(lit, 40);

    Font twelve;
    twelve.Init(kDejaVu, 12);
    EXPECT_EQ(twelve.GetLineSpacing(), 19u);
    font.Clean();
    twelve.Clean();
    EXPECT_EQ(font.GetGlyphTexture('A'), nullptr);
}

TEST_F(FontTest, OneBitGlyphsAreReadByRowAndScaledToFullCoverage)
{
    TempFolder folder;
    folder.Write("tiny.bdf", kTinyBdf);
    Font font;
    font.Init(folder.File("tiny.bdf").c_str(), 6);
    for (const TinyGlyph& glyph : kTinyGlyphs) {
        const Texture* texture = font.GetGlyphTexture(static_cast<unsigned char>(glyph.code));
        ASSERT_NE(texture, nullptr) << glyph.code;
        ASSERT_EQ(texture->GetWidth(), glyph.width) << glyph.code;
        ASSERT_EQ(texture->GetHeight(), 8u) << glyph.code;
        const std::vector<unsigned char> pixels = TexturePixels(*texture);
        for (unsigned row = 0; row < 8; ++row)
            for (unsigned column = 0; column < glyph.width; ++column) {
                const int expected = TinyBit(glyph, row, column) ? 255 : 0;
                const size_t at = 2 * (row * glyph.width + column);
                EXPECT_EQ(pixels[at], expected) << glyph.code << " " << row << "," << column;
                EXPECT_EQ(pixels[at + 1], expected) << glyph.code << " " << row << "," << column;
            }
    }
    font.Clean();
}

TEST_F(FontTest, GlyphsSitOnThePenAndLinesDropByTheLineSpacing)
{
    TempFolder folder;
    folder.Write("tiny.bdf", kTinyBdf);
    Font font;
    font.Init(folder.File("tiny.bdf").c_str(), 6);
    ASSERT_EQ(font.GetLineSpacing(), 9u);  // 6 / 0.63 = 9.52
    Begin2D();
    FontPrint(font, 2.0f, 30.0f, "AB\nAAAAAAA");
    End2D();
    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    EXPECT_EQ(view[12], 0.0f);
    EXPECT_EQ(view[13], 0.0f);
    // Each glyph's box runs from one pixel below the baseline (top 7, 8 rows)
    // and the pen moves on by the glyph's advance (8 for A).
    struct Placed {
        const TinyGlyph& glyph;
        int left, baseline;
    };
    std::vector<Placed> placed = {{kTinyGlyphs[0], 2, 30}, {kTinyGlyphs[1], 10, 30}};
    for (int k = 0; k < 7; ++k)
        placed.push_back({kTinyGlyphs[0], 2 + 8 * k, 21});
    std::vector<bool> expected(64 * 64, false);
    for (const Placed& p : placed)
        for (unsigned row = 0; row < 8; ++row)
            for (unsigned column = 0; column < p.glyph.width; ++column)
                expected[(p.baseline + 6 - row) * 64 + p.left + column] = TinyBit(p.glyph, row, column);
    const std::vector<unsigned char> window = gltest::ReadWindow();
    ASSERT_EQ(window.size(), expected.size() * 4);
    std::string wrong;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((window[4 * (y * 64 + x)] > 128) != expected[y * 64 + x])
                wrong += " " + std::to_string(x) + "," + std::to_string(y);
    EXPECT_EQ(wrong, "");

    // Blended by the current colour's alpha over the black background.
    gltest::ResetDrawing();
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    Begin2D();
    FontPrint(font, 2.0f, 30.0f, "A");
    End2D();
    EXPECT_NEAR(gltest::ReadPixel(5, 36)[0], 128, 3);  // top row of A: columns 3 and 4
    font.Clean();
}

TEST_F(FontTest, CleanAfterAFailedStartTouchesNoOtherList)
{
    const GLuint own = glGenLists(1);
    glNewList(own, GL_COMPILE);
    glEndList();
    Font font;
    try {
        font.Init("/nonexistent/font.ttf", 12);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "FT_New_Face failed (there is probably a problem with your font file)");
    }
    font.Clean();
    font.Clean();
    EXPECT_TRUE(glIsList(own));
    FontPrint(font, 0.0f, 0.0f, "nothing");  // not built: draws nothing
    glDeleteLists(own, 1);
}

}  // namespace
