// The quad batch against the same quads drawn one by one in immediate mode,
// on small layouts under a tilted perspective view: a quad joins an earlier
// run of its kind only past runs it does not cover on screen, whatever the
// depths, so every pixel ends up as the one-by-one drawing leaves it.
#include "gltestsupport.h"
#include "matrix4.h"
#include "quadbatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr float kHalf = 0.4f;
const QuadColor kWarm{1.0f, 0.25f, 0.125f, 0.625f};  // added
const QuadColor kCool{0.125f, 0.375f, 1.0f, 0.75f};  // blended over

struct Placed {
    bool additive;
    Vec3 eye;  // centre in eye space
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

std::vector<unsigned char> ReadFrame()
{
    std::vector<unsigned char> pixels(static_cast<size_t>(gltest::WindowWidth()) * gltest::WindowHeight() * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, gltest::WindowWidth(), gltest::WindowHeight(), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
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
        glBegin(GL_QUADS);
        glVertex3f(c.x - kHalf, c.y - kHalf, c.z);
        glVertex3f(c.x + kHalf, c.y - kHalf, c.z);
        glVertex3f(c.x + kHalf, c.y + kHalf, c.z);
        glVertex3f(c.x - kHalf, c.y + kHalf, c.z);
        glEnd();
    }
    const std::vector<unsigned char> reference = ReadFrame();

    SetView();
    QuadBatch batch;
    batch.ReadScreen();
    batch.SetAxes(Vec3(1.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
    for (size_t i = 0; i < centres.size(); ++i) {
        const bool additive = quads[i].additive;
        batch.Add(additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA, 0, centres[i], kHalf, UvRect(), additive ? kWarm : kCool);
    }
    batch.Draw(0, batch.RunCount(), QuadBatch::Shading::kFlat);
    const std::vector<unsigned char> batched = ReadFrame();
    runs = batch.RunCount();
    int largest = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        largest = std::max(largest, std::abs(static_cast<int>(reference[i]) - static_cast<int>(batched[i])));
    }
    return largest;
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
