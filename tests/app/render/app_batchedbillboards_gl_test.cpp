// The batched glow and sprite passes against a reference that draws the same
// quads one at a time in immediate mode, written here from the design (each
// quad under its own matrix, its own colour and texture bind). Both draw the
// frame benchmark's scene on the demo data, in every render mode and from
// three views, and the whole frames are compared pixel by pixel.
#include "benchscene.h"
#include "editingflag.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gltestsupport.h"
#include "model.h"
#include "animatedmaterial.h"
#include "morvoglow.h"
#include "orbitcameraaim.h"
#include "particlesprites.h"
#include "rainsystem.h"
#include "random15.h"
#include "rendermode.h"
#include "renderscene.h"
#include "testsupport.h"
#include "texture.h"
#include "uniformgrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kMaxDifference = 1;  // in any channel, of 255
constexpr unsigned kSeed = 11;
constexpr int kBoltEvery = 7;  // of the morvos in the active bounds

// The billboard matrix: the model-view rotation with its scale of 200 taken
// out, inverted by transposing.
void ReadInverseRotation(float b[16])
{
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            const float v = column < 3 && row < 3 ? m[column * 4 + row] / 200.0f : (column == row ? 1.0f : 0.0f);
            b[row * 4 + column] = v;
        }
    }
}

void Quad(float h)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-h, -h, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(h, -h, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(h, h, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-h, h, 0.0f);
    glEnd();
}

void ReferenceGlow(const std::vector<MorvoRecord*>& list, MorvoWorld& world)
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    float b[16];
    ReadInverseRotation(b);
    const CellRect bounds = world.GetActiveBounds();
    const std::vector<Texture*>& pictures = world.GetMorvoTextures();
    const int n = static_cast<int>(pictures.size());
    for (MorvoRecord* morvo : list) {
        const float x = morvo->position.x;
        const float y = morvo->position.y;
        const int32_t bolt = morvo->GetLightning();
        if (bolt >= 0 && bolt <= 2 && morvo->cellX >= bounds.x0 && morvo->cellX <= bounds.x1 &&
            morvo->cellY >= bounds.y0 && morvo->cellY <= bounds.y1) {
            glPushMatrix();
            glTranslatef(x, y, 0.0f);
            glPushMatrix();
            float m[16];
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            const float s = static_cast<float>(Rand15() % 100) * 0.01f * 200.0f;
            m[0] = s;
            m[1] = 0.0f;
            m[2] = 0.0f;
            m[4] = 0.0f;
            m[5] = 0.0f;
            m[6] = s;
            glLoadIdentity();
            glMultMatrixf(m);
            const int32_t frame = morvo->UpdateLightningFrame();
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            AnimatedMaterial* material = world.GetLightningBoltAnimation();
            if (material != nullptr) {
                material->SetFrame(frame);
                material->Bind();
            } else {
                glBindTexture(GL_TEXTURE_2D, 0);
            }
            Model* model = world.GetLightningModels()[bolt];
            if (model != nullptr) {
                model->RenderGeometry(GL_TRIANGLES);
            }
            glPopMatrix();
            glPopMatrix();
        }
        const float p = morvo->power;
        float remaining = p;
        float grow = 1.0f;
        for (int k = 0; remaining > 0.0f; ++k) {
            glPushMatrix();
            glTranslatef(x, y, static_cast<float>(k) * 0.045f);
            glMultMatrixf(b);
            const float a = std::clamp(remaining, 0.0f, 6.0f);
            const float alpha = k == 0 ? 0.6f * p / 20.0f + 0.4f : a / 6.0f;
            const float scale = k == 0 ? 1.0f : (0.3f * alpha + 0.7f) * grow;
            float c[3];
            if (morvo->color > 0) {
                glBlendFunc(GL_SRC_ALPHA, GL_ONE);
                c[0] = 0.98f;
                c[1] = 0.98f;
                c[2] = 0.9f;
            } else {
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                const float target = morvo->color < 0 ? 0.4f : 1.0f;
                const float t = morvo->color < 0 ? 0.6f * remaining / 20.0f + 0.4f * alpha : 1.0f - remaining / 20.0f;
                c[0] = c[1] = c[2] = 0.7f + (target - 0.7f) * t;
            }
            glColor4f(c[0], c[1], c[2], alpha);
            if (scale != 1.0f) {
                glScalef(scale, scale, scale);
            }
            const Texture* picture = n > 0 ? pictures[static_cast<size_t>((morvo->textureIndex + k) % n)] : nullptr;
            glBindTexture(GL_TEXTURE_2D, picture != nullptr ? picture->GetGLTextureId() : 0);
            Quad(0.075f);
            glPopMatrix();
            if (k >= 1) {
                remaining -= 6.0f;
            }
            grow *= 1.05f;
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void ReferenceSprites(const std::vector<SpriteRecord>& sprites)
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    float b[16];
    ReadInverseRotation(b);
    for (const SpriteRecord& sprite : sprites) {
        glPushMatrix();
        glTranslatef(sprite.simPosition.x, sprite.simPosition.y, sprite.simPosition.z);
        glMultMatrixf(b);
        glColor4f(sprite.r, sprite.g, sprite.b, sprite.a);
        glBindTexture(GL_TEXTURE_2D, sprite.texture);
        Quad(sprite.halfSize);
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

struct View {
    const char* name;
    bool start;  // the benchmark's own view
    Vec3 eye;
    Vec3 target;
};

const View kViews[] = {
    {"start", true, Vec3(), Vec3()},
    {"above", false, Vec3(20.0f, 420.0f, 120.0f), Vec3(0.0f, 150.0f, -40.0f)},
    {"across the dark cloud", false, Vec3(-260.0f, 190.0f, 160.0f), Vec3(120.0f, 150.0f, -140.0f)},
};

struct Mode {
    int mode;
    bool editing;
    bool debug;  // grid, attractor gizmo and bounds drawn after the morvos
};

const Mode kModes[] = {
    {kRenderModePoints, false, true}, {kRenderModeDisks, false, true}, {kRenderModeGlow, false, false},
    {kRenderModeGlow, false, true},   {kRenderModeGlow, true, false},
};

class BatchedBillboardsGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.Open(kWidth, kHeight)) << "no GL window";
        ASSERT_NE(getcwd(folder_, sizeof(folder_)), nullptr);
        ASSERT_TRUE(scene_.Load(BuildDir() + "/run")) << "no demo data in " << BuildDir() << "/run";
        loaded_ = true;
    }
    void TearDown() override
    {
        SetGlowDrawer(nullptr);
        SetSpriteDrawer(nullptr);
        SetEditingEnabled(false);
        SetRenderMode(kRenderModeGlow);
        if (loaded_) {
            GetMorvoWorld().SetCamera(nullptr);
            GetMorvoWorld().Release();
            delete GameFlow::FindInstance();
            delete GamePlan::FindInstance();
        }
        EXPECT_EQ(chdir(folder_), 0);
    }

    // Bolts on some morvos inside the active bounds, in all three shapes.
    static void AddBolts()
    {
        MorvoWorld& world = GetMorvoWorld();
        MorvoState& state = *world.GetStore()->GetCurrentState();
        const CellRect bounds = world.GetActiveBounds();
        int inside = 0;
        for (int32_t i = 0; i < state.GetSize(); ++i) {
            MorvoRecord& morvo = state.Get(i);
            if (morvo.active == 0 || morvo.cellX < bounds.x0 || morvo.cellX > bounds.x1 || morvo.cellY < bounds.y0 ||
                morvo.cellY > bounds.y1) {
                continue;
            }
            if (inside++ % kBoltEvery == 0) {
                morvo.SetLightning(inside % 3);
                morvo.lightningTime = 0.5f;
            }
        }
    }

    // The frame drawn from the same morvo records and random numbers, with
    // the reference passes or the batched ones.
    std::vector<unsigned char> Frame(bool reference)
    {
        MorvoState& state = *GetMorvoWorld().GetStore()->GetCurrentState();
        if (records_.empty()) {
            for (int32_t i = 0; i < state.GetSize(); ++i) {
                records_.push_back(state.Get(i));
            }
        }
        for (int32_t i = 0; i < state.GetSize(); ++i) {
            state.Get(i) = records_[static_cast<size_t>(i)];
        }
        SeedRand15(kSeed);
        SetGlowDrawer(reference ? ReferenceGlow : nullptr);
        SetSpriteDrawer(reference ? ReferenceSprites : nullptr);
        RenderScene(false);
        glFinish();
        return gltest::ReadWindow();
    }

    // Draws the frame both ways and compares every channel; the largest difference.
    int Compare(const std::string& name)
    {
        const std::vector<unsigned char> reference = Frame(true);
        const std::vector<unsigned char> batched = Frame(false);
        int difference = 0;
        int channels = 0;
        for (size_t i = 0; i < reference.size(); ++i) {
            const int d = std::abs(static_cast<int>(reference[i]) - static_cast<int>(batched[i]));
            difference = std::max(difference, d);
            channels += d > 0;
        }
        EXPECT_LE(difference, kMaxDifference) << name << ": " << channels << " channels differ";
        std::printf("%s: largest difference %d, %d channels differ\n", name.c_str(), difference, channels);
        return difference;
    }

    gltest::WindowHold window_;  // first in, last out: the scene's textures go before the window
    BenchScene scene_;
    std::vector<MorvoRecord> records_;
    char folder_[4096] = {};
    bool loaded_ = false;
};

}  // namespace

TEST_F(BatchedBillboardsGl, BenchmarkSceneMatchesTheQuadByQuadDrawingInEveryModeAndView)
{
    AddBolts();
    int largest = 0;
    for (const View& view : kViews) {
        if (!view.start) {
            AimOrbitCamera(scene_.Camera(), view.eye, view.target);
        }
        for (const Mode& mode : kModes) {
            SetRenderMode(mode.mode);
            SetDebugDraw(mode.debug);
            SetEditingEnabled(mode.editing);
            const std::string name = std::string(view.name) + ", mode " + std::to_string(mode.mode) +
                                     (mode.editing ? ", editing" : "") + (mode.debug ? ", debug drawings" : "");
            largest = std::max(largest, Compare(name));
            if (view.start && mode.mode == kRenderModeGlow && !mode.editing) {
                // The glow pass drew its quads in runs, not one by one.
                EXPECT_GT(GetMorvoBillboards().size(), 1000u);
                EXPECT_LT(GetGlowDrawCount(), static_cast<int>(GetMorvoBillboards().size()) / 2);
            }
        }
    }
    // Without rain nothing before the sprites has turned blending on.
    SetRenderMode(kRenderModePoints);
    SetDebugDraw(false);
    SetEditingEnabled(false);
    RainSystem& rain = *GetMorvoWorld().GetRain();
    for (int32_t i = 0; i < rain.GetDrops().GetSize(); ++i) {
        rain.Deactivate(i);
    }
    largest = std::max(largest, Compare("without rain"));
    RecordProperty("largest_difference", largest);
}
