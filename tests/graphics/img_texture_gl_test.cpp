// Textures under a real GL context: uploads, sharing by name with load
// counts, release, wrap modes, blank and bitmap textures, screenshots.
#include "gltestsupport.h"
#include "screenshot.h"
#include "testsupport.h"
#include "texture.h"
#include "texturemanager.h"
#include "tgafile.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using gltest::GlTest;

class TextureSharing : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        folder.Write("a.tga", SolidTga(255, 0, 0, 2, 1));
    }
    std::string A() const { return folder.File("a.tga"); }

    TempFolder folder;
    TextureManager textures;
};

TEST_F(TextureSharing, SecondLoadOfANameReturnsTheSameTexture)
{
    Texture* first = textures.Load(A().c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(textures.Load(A().c_str()), first);
    EXPECT_EQ(textures.GetTextures().size(), 1u);
    EXPECT_EQ(first->GetLoadCount(), 2);
    EXPECT_TRUE(glIsTexture(first->GetGLTextureId()));
    // Names compare byte for byte.
    Texture* other = textures.Load((folder.Path() + "/./a.tga").c_str());
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, first);
    EXPECT_NE(other->GetGLTextureId(), first->GetGLTextureId());
}

TEST_F(TextureSharing, ReleaseNullsThePointerAndDeletesWhenTheLastLoadGoes)
{
    Texture* mine = textures.Load(A().c_str());
    Texture* theirs = textures.Load(A().c_str());
    ASSERT_EQ(mine, theirs);
    const unsigned int id = mine->GetGLTextureId();
    textures.Release(mine);
    EXPECT_EQ(mine, nullptr);
    // The other holder still has a live texture.
    ASSERT_EQ(textures.Find(A().c_str()), theirs);
    EXPECT_TRUE(glIsTexture(id));
    Texture* stale = theirs;
    textures.Release(theirs);
    EXPECT_EQ(theirs, nullptr);
    EXPECT_EQ(textures.Find(A().c_str()), nullptr);
    EXPECT_FALSE(glIsTexture(id));
    // A stale copy is not in the list: nothing happens and the pointer is kept.
    textures.Release(stale);
    EXPECT_NE(stale, nullptr);
    Texture* none = nullptr;
    textures.Release(none);
    EXPECT_TRUE(textures.GetTextures().empty());
}

TEST_F(TextureSharing, UploadKeepsThePixelsInRgbOrder)
{
    Texture* texture = textures.Load(A().c_str());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetWidth(), 2u);
    EXPECT_EQ(texture->GetBitsPerPixel(), 24u);
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    unsigned char pixels[6] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    EXPECT_EQ(std::vector<int>(pixels, pixels + 6), (std::vector<int>{255, 0, 0, 255, 0, 0}));
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
}

GLint WrapS(const Texture* texture)
{
    GLint wrap = 0;
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    return wrap;
}

TEST_F(TextureSharing, ASharedTextureKeepsTheWrapModeItWasMadeWith)
{
    folder.Write("b.tga", SolidTga(0, 255, 0));
    Texture* repeat = textures.Load(A().c_str());
    EXPECT_EQ(textures.LoadClamped(A().c_str()), repeat);
    EXPECT_EQ(WrapS(repeat), GL_REPEAT);
    Texture* clamped = textures.LoadClamped(folder.File("b.tga").c_str());
    ASSERT_NE(clamped, nullptr);
    EXPECT_EQ(textures.Load(folder.File("b.tga").c_str()), clamped);
    EXPECT_EQ(WrapS(clamped), GL_CLAMP_TO_EDGE);
}

TEST_F(TextureSharing, FailedLoadLogsTwiceAndAddsNothing)
{
    folder.Write("bad.tga", std::string(30, '\x07'));
    LogCapture log;
    const std::string path = folder.File("bad.tga");
    EXPECT_EQ(textures.Load(path.c_str()), nullptr);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"ERROR: Unknown file format for " + path + ".\n",
                                                     "Unable to find or open the file: " + path + "\n"}));
    EXPECT_TRUE(textures.GetTextures().empty());
}

TEST_F(TextureSharing, NullNamesAreRefusedWithAWarning)
{
    LogCapture log;
    EXPECT_EQ(textures.Load(nullptr), nullptr);
    EXPECT_EQ(textures.LoadClamped(nullptr), nullptr);
    const unsigned char pixels[2] = {1, 2};
    EXPECT_EQ(textures.CreateFromBitmap(nullptr, pixels, 1, 1, GL_RGBA), nullptr);
    const std::string warning = "Warning: requested to create texture from NULL filename.\n";
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{warning, warning, warning}));
    log.Clear();
    EXPECT_EQ(textures.CreateFromBitmap("font", nullptr, 1, 1, GL_RGBA), nullptr);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Failed to create bitmap!\n"});
}

struct BlankCase {
    const char* name;
    unsigned int bytesPerPixel;
    unsigned int bits;
    unsigned int format;
};

class BlankTextures : public GlTest, public ::testing::WithParamInterface<BlankCase> {};

TEST_P(BlankTextures, AreSquareAndZeroFilled)
{
    TextureManager textures;
    Texture* texture = textures.CreateBlank("target", 64, GetParam().bytesPerPixel);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetWidth(), 64u);
    EXPECT_EQ(texture->GetHeight(), 64u);
    EXPECT_EQ(texture->GetBitsPerPixel(), GetParam().bits);
    EXPECT_EQ(texture->GetGLFormat(), GetParam().format);
    EXPECT_EQ(texture->GetName(), "target");
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 64);
    // A second blank of the same name is a new texture; Find gives the first.
    Texture* again = textures.CreateBlank("target", 3, GetParam().bytesPerPixel);
    EXPECT_NE(again, texture);
    EXPECT_EQ(textures.Find("target"), texture);
}

INSTANTIATE_TEST_SUITE_P(Texture, BlankTextures,
                         ::testing::Values(BlankCase{"FourBytes", 4, 32, kGLFormatRGBA},
                                           BlankCase{"ThreeBytes", 3, 24, kGLFormatRGB},
                                           BlankCase{"TwoBytes", 2, 24, kGLFormatRGB}),
                         CaseName());

TEST_F(TextureSharing, BitmapUploadOfOddWidthIsNotSkewed)
{
    // Three luminance-alpha pixels per row: 6-byte rows need unpack alignment 1.
    const unsigned char pixels[12] = {10, 11, 20, 21, 30, 31, 40, 41, 50, 51, 60, 61};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    Texture* texture = textures.CreateFromBitmap("glyph", pixels, 3, 2, GL_LUMINANCE_ALPHA);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetBitsPerPixel(), 0u);
    EXPECT_EQ(texture->GetGLFormat(), static_cast<unsigned int>(GL_LUMINANCE_ALPHA));
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    unsigned char read[12] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, read);
    EXPECT_EQ(std::vector<int>(read, read + 12), std::vector<int>(pixels, pixels + 12));
}

TEST_F(TextureSharing, ClearDeletesEveryTexture)
{
    Texture* a = textures.Load(A().c_str());
    ASSERT_NE(a, nullptr);
    const unsigned int id = a->GetGLTextureId();
    textures.Clear();
    EXPECT_TRUE(textures.GetTextures().empty());
    EXPECT_FALSE(glIsTexture(id));
}

class Screenshots : public GlTest {};

TEST_F(Screenshots, AreNumberedAndReadBackUpsideDown)
{
    GfxComponent* gfx = GfxComponent::GetInstance();
    const int w = gfx->GetWindowWidth();
    const int h = gfx->GetWindowHeight();
    // Top half red, bottom half green.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, h / 2, w, h - h / 2);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, w, h / 2);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    TempFolder folder;
    SaveScreenshot(folder.Path().c_str(), "shot");
    SaveScreenshot(folder.Path().c_str(), "shot");
    std::vector<std::string> files = FilesIn(folder.Path());
    ASSERT_EQ(files.size(), 2u);
    ASSERT_EQ(files[0].size(), std::string("shot_00000.tga").size());
    int first = std::stoi(files[0].substr(5, 5));
    char expected[32];
    std::snprintf(expected, sizeof expected, "shot_%.5d.tga", first + 1);
    EXPECT_EQ(files[1], expected);

    Texture texture;
    TgaFile reader;
    PixelBuffer pixels;
    ASSERT_TRUE(reader.Load(&texture, pixels, folder.File(files[0]).c_str()));
    EXPECT_EQ(texture.GetWidth(), static_cast<unsigned int>(w));
    EXPECT_EQ(texture.GetBitsPerPixel(), 32u);
    // Row 0 of the read-back buffer is the top of the window: red, opaque.
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(pixels[1], 0);
    EXPECT_EQ(pixels[3], 255);
    const size_t last = (static_cast<size_t>(w) * h - 1) * 4;
    EXPECT_EQ(pixels[last], 0);
    EXPECT_EQ(pixels[last + 1], 255);
}

TEST_F(Screenshots, FailedWriteKeepsTheNumber)
{
    TempFolder folder;
    SaveScreenshot(folder.Path().c_str(), "probe");
    SaveScreenshot(folder.File("missing").c_str(), "probe");
    SaveScreenshot(folder.Path().c_str(), "probe");
    std::vector<std::string> files = FilesIn(folder.Path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(std::stoi(files[1].substr(6, 5)), std::stoi(files[0].substr(6, 5)) + 1);
}

}  // namespace
