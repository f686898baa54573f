// Start-up and shutdown; see morvostartup.h.
#include "morvostartup.h"

#include "application.h"
#include "configfile.h"
#include "debuglog.h"
#include "editdialogappstate.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "inputdevice.h"
#include "mathutil.h"
#include "matrix4.h"
#include "messagebox.h"
#include "morvochapterintrostate.h"
#include "morvodemoappstate.h"
#include "morvodreamstate.h"
#include "morvoendingmenustate.h"
#include "morvoextrastate.h"
#include "morvosaveloadstate.h"
#include "morvostartstate.h"
#include "morvoworld.h"
#include "rendermode.h"
#include "soundregistry.h"
#include "stateindex.h"

#include <string>

namespace {

constexpr const char* kBoxCaption = "Error";
constexpr unsigned kMissingStartupStyle = MB_ICONHAND | MB_SETFOREGROUND;
constexpr int kColorBits = 32;
constexpr int kDepthBits = 16;

int Fail(const std::string& text, unsigned style = MB_OK)
{
    ShowMessageBox(text.c_str(), kBoxCaption, style);
    return 1;
}

int gCounter = 0;

}  // namespace

int RunMorvo()
{
    ConfigFile biosTab;
    if (!biosTab.Load(kStartupFileName)) {
        DebugLog("Could not load startup file \"%s\"\n", kStartupFileShownName);
        return Fail(std::string("Could not load startup file \"") + kStartupFileShownName + "\".",
                    kMissingStartupStyle);
    }
    const std::string gamePlanDir = biosTab.GetString("Game");
    if (gamePlanDir.empty()) {
        return Fail(std::string(kStartupFileName) + " must specify a 'Game:' entry.");
    }
    if (!GamePlan::GetInstance()->Load(gamePlanDir.c_str(), kGamePlanFileName)) {
        return Fail("Error loading game \"" + gamePlanDir + "\".");
    }

    Application* application = Application::GetInstance();
    GfxComponent* graphics = GfxComponent::GetInstance();
    InputDevice* input = InputDevice::GetInstance();
    SoundRegistry::GetInstance()->Init();

    const int screenWidth = biosTab.GetInt("ScreenWidth");
    DebugLog("ScreenWidth: %d\n", screenWidth);
    const int screenHeight = biosTab.GetInt("ScreenHeight");
    DebugLog("ScreenHeight: %d\n", screenHeight);
    bool fullScreen = biosTab.GetBool("FullScreen");
    DebugLog("FullScreen: %d\n", fullScreen ? 1 : 0);
    const bool mouseInvert = biosTab.GetBool("MouseInvert");
    DebugLog("MouseInvert: %d\n", mouseInvert ? 1 : 0);
    fullScreen = false;
    DebugLog("Debug build: forcing windowed graphics mode.\n");

    if (!graphics->CreateGLWindow(screenWidth, screenHeight, kColorBits, kDepthBits, fullScreen)) {
        return Fail("Error creating graphics window.");
    }
    SetDebugDraw(true);
    if (!input->Init(graphics->GetWindowHandle())) {
        return Fail("Error initializing user input.");
    }
    input->CreateKeyboard();
    input->CreateMouse();

    AppState* states[StateIndex::kCount] = {
        new MorvoStartState(),      new MorvoDemoAppstate(), new EditDialogAppstate(), new MorvoSaveLoadState(),
        new MorvoEndingMenuState(), new MorvoDreamState(),   new MorvoExtraState(),    new MorvoChapterIntroState(),
    };
    application->SetStates(states, StateIndex::kCount);
    GetMorvoWorld().Init();
    auto* game = static_cast<MorvoDemoAppstate*>(states[StateIndex::kInGame]);
    game->Init();
    static_cast<MorvoChapterIntroState*>(states[StateIndex::kChapterIntro])->Init();
    game->SetMouseInvert(mouseInvert);

    const int result = application->Run();

    for (int i = StateIndex::kCount - 1; i >= 0; --i) {
        delete states[i];
    }
    input->Shutdown();
    graphics->Shutdown();
    return result;
}

void RotationTest()
{
    Matrix4 rotation;
    rotation.SetIdentity();
    rotation.MakeRotation(DegToRad(45.0f), Vec3(1.0f, 0.0f, 0.0f));
    (void)rotation;
}

int NextCount()
{
    return gCounter++;
}
