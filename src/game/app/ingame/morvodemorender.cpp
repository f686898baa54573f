// The in-game state's drawing: the 3D scene, the cursor at the steering
// point, the glow of the boy's tank, the 2D animations, the fade and the
// buffer swap; and the registry dump of F11.
#include "morvodemoappstate.h"

#include "animatedmaterial.h"
#include "boy.h"
#include "color.h"
#include "debuglog.h"
#include "draw2d.h"
#include "editingflag.h"
#include "fadecolor.h"
#include "gameflow.h"
#include "gfxcomponent.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "renderscene.h"

#include <GL/glew.h>

#include <cmath>

namespace {

constexpr float kCursorScreenShare = 0.015f;
constexpr float kMinCursorHalfSize = 0.5f;
constexpr float kGlowMaxHalfSize = 5.0f;
constexpr float kGlowMaxAlpha = 0.3f;
constexpr float kGlowFadeDistance = 8.0f;  // the glow thins out as the camera comes nearer

}  // namespace

float MorvoDemoAppstate::CursorHalfSize(float fov, float distance)
{
    const float size = kCursorScreenShare * std::tan(fov / 2.0f) * distance;
    return size * size < kMinCursorHalfSize * kMinCursorHalfSize ? kMinCursorHalfSize : size;
}

MorvoDemoAppstate::Glow MorvoDemoAppstate::BoyGlow(float storedPower, float capacity, float distance)
{
    const float fill = storedPower / capacity;
    Glow glow{fill * kGlowMaxHalfSize, fill * kGlowMaxAlpha};
    if (distance < kGlowFadeDistance) {
        glow.alpha = distance / kGlowFadeDistance * glow.alpha;
    }
    return glow;
}

void MorvoDemoAppstate::Render()
{
    // Without a window (tests of the frame) nothing is drawn.
    if (graphics_->GetWindowHandle() == nullptr) {
        return;
    }
    if (GameFlow::GetInstance()->IsLevelLoaded() && camera_ != nullptr) {
        RenderScene(false);
        glDisable(GL_DEPTH_TEST);
        if (GetMorvoWorld().GetBoy()->GetFlightMode() == Boy::kModeSteer && !IsEditingEnabled()) {
            DrawCursor();
        }
        DrawBoyGlow();
        glEnable(GL_DEPTH_TEST);
    }
    running_.Draw();
    if (hasWinAnimation_ && winShown_) {
        winAnimation_.Draw();
    }
    if (hasLoseAnimation_ && loseShown_) {
        loseAnimation_.Draw();
    }
    if (helpShown_) {
        helpAnimation_.Draw();
    }
    if (screenshotShown_) {
        screenshotAnimation_.Draw();
    }
    if (fadingOut_) {
        FillScreen2D(kFadeRed, kFadeGreen, kFadeBlue, fadeTime_ / kFadeSeconds);
    } else if (fadingIn_) {
        FillScreen2D(kFadeRed, kFadeGreen, kFadeBlue, 1.0f - fadeTime_ / kFadeSeconds);
    }
    graphics_->SwapBuffers();
}

void MorvoDemoAppstate::DrawCursor()
{
    if (cursorMaterial_ == nullptr || camera_ == nullptr) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float size = CursorHalfSize(camera_->GetFov(), camera_->distance);
    graphics_->DrawAnimatedBillboard(cursorMaterial_, Color(1.0f, 1.0f, 1.0f, 1.0f), GetMorvoWorld().GetBoyStart(),
                                     size, size);
}

void MorvoDemoAppstate::DrawBoyGlow()
{
    if (cursorMaterial_ == nullptr || camera_ == nullptr) {
        return;
    }
    const Boy* boy = GetMorvoWorld().GetBoy();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    const Glow glow = BoyGlow(boy->tank.GetStoredPower(), boy->tank.GetCapacity(), camera_->distance);
    graphics_->DrawAnimatedBillboard(cursorMaterial_, Color(1.0f, 1.0f, 1.0f, glow.alpha), boy->position, glow.halfSize,
                                     glow.halfSize);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void MorvoDemoAppstate::DumpMeshInfo(const char* fileName)
{
    graphics_->outputMeshInfo(fileName);
    DebugLog("Output Object and Texture material registries into \"%s\"\n", fileName);
}
