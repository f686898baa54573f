// The quad batch against the same quads drawn one by one in immediate mode,
// on small layouts under a tilted perspective view: a quad joins an earlier
// run of its kind only past runs it does not cover on screen, whatever the
// depths, so every pixel ends up as the one-by-one drawing leaves it.
#include "gltestsupport.h"
#include "matrix4.h"
#include "quadbatch.h"
#include "texture.h"
#include "textureatlas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr float kHalf = 0.4f;
const QuadColor kWarm{1.0f, 0.25f, 0.125f, 0.625f};  // added
const QuadColor kCool{0.125f, 0.375f, 1.0f, 0.75f};  // blended over

struct Placed {
    bool additive;
    Vec3 eye;        // centre in eye space
    UvRect part{};   // the part of it drawn
};

struct Layout {
    const char* name;
    std::vector<Placed> quads;
    int runs;
};

// At distance 6 the frustum spans x from -2.7 to 3.3 and y from -3.3 to 2.7.
const Layout kLayouts[] = {
    {"one line of sight, far to near",
     {{true, Vec3(1.2f, 0.6f, -12.0f)}, {false, Vec3(0.6f, 0.3f, -6.0f)}, {true, Vec3(0.3f, 0.15f, -3.0f)}},
     3},
    {"side by side",
     {{true, Vec3(-1.5f, 0.0f, -6.0f)}, {false, Vec3(1.5f, 0.0f, -6.0f)}, {true, Vec3(-1.3f, 0.2f, -6.0f)}},
     2},
    {"the later one across the eye plane",
     {{true, Vec3(-1.5f, 0.0f, -6.0f)}, {false, Vec3(1.5f, 0.0f, -6.0f)}, {true, Vec3(1.0f, 0.0f, 0.1f)}},
     3},
    {"the later one off the screen",
     {{true, Vec3(-1.5f, 0.0f, -6.0f)}, {false, Vec3(1.5f, 0.0f, -6.0f)}, {true, Vec3(40.0f, 0.0f, -6.0f)}},
     2},
    {"at the left edge",
     {{true, Vec3(-3.1f, -0.5f, -6.0f)}, {false, Vec3(1.5f, 0.0f, -6.0f)}, {true, Vec3(-2.9f, -0.3f, -6.0f)}},
     2},
    {"the later one clear of the middle one's part, not of its whole",
     {{true, Vec3(-2.0f, 0.0f, -6.0f)},
      {false, Vec3(0.0f, 0.0f, -6.0f), {0.0f, 0.0f, 0.25f, 1.0f}},
      {true, Vec3(1.5f, 0.0f, -6.0f)}},
     2},
    {"the later one over the middle one's part",
     {{true, Vec3(-2.0f, 0.0f, -6.0f)},
      {false, Vec3(0.0f, 0.0f, -6.0f), {0.5f, 0.0f, 1.0f, 1.0f}},
      {true, Vec3(1.5f, 0.0f, -6.0f)}},
     3},
    {"above and below",
     {{false, Vec3(0.0f, 1.8f, -6.0f)},
      {true, Vec3(0.0f, -1.8f, -6.0f)},
      {false, Vec3(0.1f, 1.6f, -6.0f)},
      {true, Vec3(0.1f, 1.7f, -6.0f)}},
     2},
};

// A tilted camera and an off-centre frustum: every entry of the model-view
// and projection is in play.
void SetView()
{
    gltest::ResetDrawing(gltest::Texturing::kOff);
    glMatrixMode(GL_PROJECTION);
    glFrustum(-0.45, 0.55, -0.55, 0.45, 1.0, 40.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(2.0f, -1.5f, -2.0f);
    glRotatef(35.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(-25.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(20.0f, 0.0f, 0.0f, 1.0f);
    glScalef(1.5f, 1.5f, 1.5f);
    glEnable(GL_BLEND);
}

// Draws the quads one by one, then as a batch; the largest difference in
// any channel. `runs` gets the batch's run count.
int DrawBothWays(const std::vector<Placed>& quads, int& runs)
{
    SetView();
    float modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    const Matrix4 toModel = Matrix4(modelView).Inverse();
    std::vector<Vec3> centres;
    for (const Placed& quad : quads) {
        centres.push_back(toModel.TransformPoint(quad.eye));
    }
    for (size_t i = 0; i < centres.size(); ++i) {
        const Vec3& c = centres[i];
        const QuadColor& color = quads[i].additive ? kWarm : kCool;
        glBlendFunc(GL_SRC_ALPHA, quads[i].additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(color.r, color.g, color.b, color.a);
        const UvRect& p = quads[i].part;
        const float x0 = c.x + kHalf * (2.0f * p.u0 - 1.0f);
        const float x1 = c.x + kHalf * (2.0f * p.u1 - 1.0f);
        const float y0 = c.y + kHalf * (2.0f * p.v0 - 1.0f);
        const float y1 = c.y + kHalf * (2.0f * p.v1 - 1.0f);
        glBegin(GL_QUADS);
        glVertex3f(x0, y0, c.z);
        glVertex3f(x1, y0, c.z);
        glVertex3f(x1, y1, c.z);
        glVertex3f(x0, y1, c.z);
        glEnd();
    }
    const std::vector<unsigned char> reference = gltest::ReadWindow();

    SetView();
    QuadBatch batch;
    batch.ReadScreen();
    batch.SetAxes(Vec3(1.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
    for (size_t i = 0; i < centres.size(); ++i) {
        const bool additive = quads[i].additive;
        batch.Add(additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA, 0, centres[i], kHalf, UvRect(), additive ? kWarm : kCool,
                  quads[i].part);
    }
    batch.Draw(0, batch.RunCount(), QuadBatch::Shading::kFlat);
    const std::vector<unsigned char> batched = gltest::ReadWindow();
    runs = batch.RunCount();
    return gltest::LargestDifference(reference, batched);
}

// Uniform in [0, 1) from a fixed sequence.
class Sequence {
public:
    explicit Sequence(uint32_t seed)
        : state_(seed)
    {}
    float Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / 16777216.0f;
    }

private:
    uint32_t state_;
};

}  // namespace

TEST(QuadBatchGl, QuadsJoinEarlierRunsOnlyPastRunsTheyDoNotCover)
{
    gltest::WindowHold window;
    ASSERT_TRUE(window.Open());
    for (const Layout& layout : kLayouts) {
        int runs = 0;
        EXPECT_LE(DrawBothWays(layout.quads, runs), 1) << layout.name;
        EXPECT_EQ(runs, layout.runs) << layout.name;
    }
}

// Quads of both kinds in no order of depth, scattered through the view.
TEST(QuadBatchGl, ScatteredQuadsMatchTheOneByOneDrawing)
{
    gltest::WindowHold window;
    ASSERT_TRUE(window.Open());
    constexpr int kQuads = 150;
    for (uint32_t seed : {1u, 2u, 3u}) {
        Sequence next(seed);
        std::vector<Placed> quads;
        for (int i = 0; i < kQuads; ++i) {
            const float depth = 2.0f + 18.0f * next.Next();
            const float x = (2.0f * next.Next() - 1.0f) * 0.45f * depth;
            const float y = (2.0f * next.Next() - 1.0f) * 0.45f * depth;
            quads.push_back(Placed{next.Next() < 0.5f, Vec3(x, y, -depth)});
        }
        int runs = 0;
        EXPECT_LE(DrawBothWays(quads, runs), 1) << "seed " << seed;
        EXPECT_LT(runs, kQuads / 2) << "seed " << seed;  // runs were joined
    }
}

namespace {

constexpr int kSide = 8;  // texels of the test pictures

// An 8 x 8 picture, orange everywhere and opaque only inside the texels
// [x0, x1] x [y0, y1] (none when x1 < x0).
struct Picture {
    const char* name;
    int x0, x1, y0, y1;
    GLint wrap;
    UvRect part;  // the visible part it should get
};

const Picture kPictures[] = {
    {"a column inside", 3, 3, 2, 5, GL_CLAMP_TO_EDGE, {0.25f, 0.125f, 0.625f, 0.875f}},
    {"a block one texel in, repeating", 1, 2, 1, 2, GL_REPEAT, {0.0f, 0.0f, 0.5f, 0.5f}},
    {"a row at the top", 2, 3, 7, 7, GL_CLAMP_TO_EDGE, {0.125f, 0.75f, 0.625f, 1.0f}},
    {"a block at the left edge, repeating", 0, 1, 3, 4, GL_REPEAT, {0.0f, 0.25f, 1.0f, 0.75f}},
    {"a block at the left edge, clamped", 0, 1, 3, 4, GL_CLAMP_TO_EDGE, {0.0f, 0.25f, 0.375f, 0.75f}},
    {"one texel in a corner", 7, 7, 0, 0, GL_CLAMP_TO_EDGE, {0.75f, 0.0f, 1.0f, 0.25f}},
    {"nothing opaque", 0, -1, 0, -1, GL_CLAMP_TO_EDGE, {0.0f, 0.0f, 1.0f, 1.0f}},
};

std::unique_ptr<Texture> MakePicture(const Picture& p)
{
    auto texture = std::make_unique<Texture>();
    texture->CreateBlank(p.name, kSide, 4);
    std::vector<unsigned char> rgba;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool opaque = x >= p.x0 && x <= p.x1 && y >= p.y0 && y <= p.y1;
            rgba.insert(rgba.end(), {255, static_cast<unsigned char>(32 * x), 0, static_cast<unsigned char>(opaque ? 255 : 0)});
        }
    }
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, p.wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, p.wrap);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

// One picture's quad over the whole window, eight pixels a texel, whole
// or only its visible part.
std::vector<unsigned char> DrawPicture(const TextureAtlas& atlas, size_t i, uint32_t destination, bool whole)
{
    gltest::ResetDrawing();
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    QuadBatch batch;
    batch.ReadScreen();
    batch.SetAxes(Vec3(1.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
    batch.Add(destination, atlas.GetTexture(), Vec3(), 1.0f, atlas.GetRect(i), QuadColor{1.0f, 1.0f, 1.0f, 0.75f},
              whole ? UvRect() : atlas.GetVisiblePart(i));
    batch.Draw(0, batch.RunCount(), QuadBatch::Shading::kFlat);
    return gltest::ReadWindow();
}

}  // namespace

// Drawing only the part of a quad where its picture has alpha leaves the
// same pixels as drawing it whole, samples blended across the part's edge
// included, for every wrap and both blend functions.
TEST(QuadBatchGl, QuadsOfAtlasPicturesDrawOnlyTheirVisiblePart)
{
    gltest::WindowHold window;
    ASSERT_TRUE(window.Open(kSide * 8, kSide * 8));
    std::vector<std::unique_ptr<Texture>> owned;
    std::vector<Texture*> pictures;
    for (const Picture& p : kPictures) {
        owned.push_back(MakePicture(p));
        pictures.push_back(owned.back().get());
    }
    TextureAtlas atlas;
    ASSERT_TRUE(atlas.Update(pictures));
    for (size_t i = 0; i < std::size(kPictures); ++i) {
        const Picture& p = kPictures[i];
        const UvRect& part = atlas.GetVisiblePart(i);
        EXPECT_EQ(std::vector<float>({part.u0, part.v0, part.u1, part.v1}),
                  std::vector<float>({p.part.u0, p.part.v0, p.part.u1, p.part.v1}))
            << p.name;
        for (uint32_t destination : {GL_ONE, GL_ONE_MINUS_SRC_ALPHA}) {
            const std::vector<unsigned char> whole = DrawPicture(atlas, i, destination, true);
            EXPECT_LE(gltest::LargestDifference(whole, DrawPicture(atlas, i, destination, false)), 1)
                << p.name << ", destination " << destination;
        }
    }
    // Another set of pictures replaces the first one's parts, not adds to them.
    std::reverse(pictures.begin(), pictures.end());
    ASSERT_TRUE(atlas.Update(pictures));
    const UvRect& part = atlas.GetVisiblePart(0);
    const UvRect& last = kPictures[std::size(kPictures) - 1].part;
    EXPECT_EQ(std::vector<float>({part.u0, part.v0, part.u1, part.v1}),
              std::vector<float>({last.u0, last.v0, last.u1, last.v1}));
}
