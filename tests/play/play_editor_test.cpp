// End-to-end run of the level edit dialog inside the game: Backslash opens
// it over the dimmed level; a level is saved and another opened through the
// (scripted) file dialogs and the game resumes on it; a failed open keeps the dialog;
// the window shows each frame the dialog's state draws;
// "Clear All Morvos" leaves nothing pointing into the emptied tables while
// the game runs on. The driver reports what it sees as "editor:" lines.
#include "playscript.h"

#include "editdialogappstate.h"
#include "editdialogresources.h"
#include "editingflag.h"
#include "gridsetdatabase.h"
#include "guicommondialogs.h"
#include "guiwindow.h"
#include "islandmodel.h"
#include "korrel/wdialog.h"
#include "morvofiles.h"
#include "morvoworld.h"
#include "platforminput.h"
#include "stateindex.h"
#include "toolset.h"

#include <GL/gl.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kMaxFrames = 6000;
constexpr int kDaydream1 = 1;

// The answers the file dialogs and boxes get, in order; each request is reported.
std::mutex gAnswersMutex;
std::vector<GuiModalAnswer> gAnswers;

void AnswerNext(GuiModalAnswer answer)
{
    std::lock_guard<std::mutex> lock(gAnswersMutex);
    gAnswers.push_back(std::move(answer));
}

void InstallScript()
{
    SetGuiModalScript([](const GuiModalRequest& request) {
        std::printf("editor: asked \"%s\"\n", request.text.c_str());
        std::fflush(stdout);
        std::lock_guard<std::mutex> lock(gAnswersMutex);
        GuiModalAnswer answer;
        if (!gAnswers.empty()) {
            answer = gAnswers.front();
            gAnswers.erase(gAnswers.begin());
        }
        return answer;
    });
}

WDialog* Dialog(ScriptDriver& d)
{
    auto* state = dynamic_cast<EditDialogAppstate*>(d.State());
    return state ? state->GetDialog() : nullptr;
}

// Clicks a control of the dialog as the user would (the handler runs on the toolkit's thread).
void Click(ScriptDriver& d, unsigned id)
{
    GuiSendDlgItemMessage(Dialog(d)->GetHwnd(), static_cast<int>(id), BM_CLICK, 0, 0);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void Report(const std::string& what, int value)
{
    std::printf("editor: %s %d\n", what.c_str(), value);
    std::fflush(stdout);
}

// Whether the game window has the input focus back (the test display has no
// window manager to give it) and reads the mouse.
void ReportMouse(const std::string& way)
{
    const PlatformInput& input = GetPlatformInput();
    Report("mouse after " + way, input.HasFocus() && input.IsMouseAcquired());
}

// Backslash opens the dialog; the keyboard reads in the background.
void OpenDialog(ScriptDriver& d, const std::string& way)
{
    ReportMouse(way);
    d.Tap(SDL_SCANCODE_BACKSLASH);
}

// Islands with a trigger, and the painter with a target set.
int DanglingPointers()
{
    MorvoWorld& world = GetMorvoWorld();
    int count = GetToolSet().GetCellPaintTool().GetTargetSet() != nullptr ? 1 : 0;
    for (int i = 0; i < kWorldIslandCount; ++i) {
        IslandModel* island = world.GetIsland(static_cast<WorldIsland>(i));
        count += island && island->GetTrigger() ? 1 : 0;
    }
    return count;
}

// Whether the window shows what was drawn last, read from the display: the
// software renderer keeps the back buffer after presenting it, so a frame
// drawn but never presented shows as a difference.
int WindowShowsLastDrawing()
{
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return -1;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    XImage* shown = XGetImage(info.info.x11.display, info.info.x11.window, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (shown == nullptr) {
        return -1;
    }
    std::vector<unsigned char> drawn(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, drawn.data());
    auto channel = [](unsigned long pixel, unsigned long mask) {
        return static_cast<int>((pixel & mask) >> __builtin_ctzl(mask));
    };
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(shown, x, height - 1 - y);
            const unsigned char* gl = &drawn[(static_cast<size_t>(y) * width + x) * 4];
            differing += channel(pixel, shown->red_mask) != gl[0] || channel(pixel, shown->green_mask) != gl[1] ||
                                 channel(pixel, shown->blue_mask) != gl[2]
                             ? 1
                             : 0;
        }
    }
    XDestroyImage(shown);
    return differing == 0 ? 1 : 0;
}

TEST(PlayTest, EditDialogSavesOpensAndClearsTheLevel)
{
    setenv("GSETTINGS_BACKEND", "memory", 1);  // the file dialogs keep no settings
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame();
    folder.WriteGameFile("bad.xml", "not a level\n");
    const std::string saved = folder.Root() + "/saved.xml";
    const std::string direct = folder.Root() + "/direct.xml";
    const std::string bad = folder.Root() + "/game/bad.xml";
    const std::string other = folder.Root() + "/game/levels/daydreamtwo.xml";
    const std::string unwritable = "/proc/level.xml";

    ScriptDriver script;
    script.AddTitleToChapter(kDaydream1);
    script.Add(StateIndex::kChapterIntro, 10, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    script.Add(StateIndex::kInGame, 3 * kFadeFrames, [](ScriptDriver& d) {
        InstallScript();
        SetEditingEnabled(true);  // no judging while the rules change
        GetMorvoWorld().SetWinWhenNoDarkMorvos(true);
        OpenDialog(d, "start");
    });
    // Save through the dialog, then straight from the world: the same file.
    script.Add(StateIndex::kEditDialog, 2, [saved, direct](ScriptDriver& d) {
        Report("window shows the frame drawn", WindowShowsLastDrawing());
        Report("shows no-dark rule", Dialog(d)->IsChecked(kEditWinWhenNoDarkMorvos));
        AnswerNext(GuiModalAnswer{IDOK, saved, 0});
        Click(d, kEditSaveLevel);
        MorvoFiles::SaveLevel(direct);
        Report("saved equal", ReadAll(saved) == ReadAll(direct) && !ReadAll(saved).empty());
    });
    script.Add(StateIndex::kInGame, kFadeFrames + 5, [](ScriptDriver& d) {
        GetMorvoWorld().SetWinWhenNoDarkMorvos(false);
        OpenDialog(d, "save");
    });
    // A file that is no level, and a save where no file can be made: the error boxes, and
    // the dialog stays; Escape does nothing.
    script.Add(StateIndex::kEditDialog, 2, [bad, unwritable](ScriptDriver& d) {
        AnswerNext(GuiModalAnswer{IDOK, bad, 0});
        AnswerNext(GuiModalAnswer{IDOK, "", 0});
        Click(d, kEditOpenLevel);
        AnswerNext(GuiModalAnswer{IDOK, unwritable, 0});
        AnswerNext(GuiModalAnswer{IDOK, "", 0});
        Click(d, kEditSaveLevel);
        GuiSendKey(Dialog(d)->GetHwnd(), VK_ESCAPE);
        Report("open after failed load", Dialog(d)->IsOpen());
    });
    // "Import..." opens Daydream 2's level (an island with a trigger): the game resumes on it.
    script.Add(StateIndex::kEditDialog, 2, [other](ScriptDriver& d) {
        AnswerNext(GuiModalAnswer{IDOK, other, 0});
        GuiActivateMenuItem(Dialog(d)->GetHwnd(), kEditOpenLevel);
    });
    script.Add(StateIndex::kInGame, kFadeFrames + 5, [](ScriptDriver& d) {
        Report("pointers after open", DanglingPointers());
        OpenDialog(d, "open");
    });
    // Clear All, then Return resumes and the game runs on the empty level.
    script.Add(StateIndex::kEditDialog, 2, [](ScriptDriver& d) {
        Click(d, kEditClearAll);
        Report("dangling after clear", DanglingPointers());
        Report("rule after clear", GetMorvoWorld().GetWinWhenNoDarkMorvos());
        Report("box after clear", Dialog(d)->IsChecked(kEditWinWhenNoDarkMorvos));
        GuiSendKey(Dialog(d)->GetHwnd(), VK_RETURN);
    });
    script.Add(StateIndex::kInGame, kFadeFrames + 60, [](ScriptDriver& d) {
        Report("grid sets after clear", static_cast<int>(GridSetDatabase::GetInstance()->GetCount()));
        OpenDialog(d, "return");
    });
    script.Add(StateIndex::kEditDialog, 2, [](ScriptDriver& d) { Click(d, kEditResume); });
    script.Add(StateIndex::kInGame, kFadeFrames + 5, [](ScriptDriver& d) { OpenDialog(d, "resume"); });
    script.Add(StateIndex::kEditDialog, 2, [](ScriptDriver& d) { GuiPressCloseBox(Dialog(d)->GetHwnd()); });
    script.Add(StateIndex::kInGame, kFadeFrames + 5, [](ScriptDriver& d) {
        ReportMouse("close box");
        d.Stop();
    });

    const GameRun run = RunGame(folder, &script, kMaxFrames);
    ExpectExitAndLines(run, 0,
                       {
                           "Entering EditDialogAppstate\n",
                           "editor: window shows the frame drawn 1\n",
                           "editor: shows no-dark rule 1\n",
                           "editor: saved equal 1\n",
                           "Exiting EditDialogAppstate\n",
                           "Entering MorvoDemoAppstate\n",
                           "Entering EditDialogAppstate\n",
                           "editor: asked \"Error loading \"" + bad + "\"\"\n",
                           "editor: asked \"Error saving \"" + unwritable + "\"\"\n",
                           "editor: open after failed load 1\n",
                           "Reading morvo level file \"" + other + "\"...\n",
                           "Exiting EditDialogAppstate\n",
                           "editor: pointers after open 1\n",
                           "Entering EditDialogAppstate\n",
                           "editor: dangling after clear 0\n",
                           "editor: rule after clear 0\n",
                           "editor: box after clear 1\n",
                           "Exiting EditDialogAppstate\n",
                           "editor: grid sets after clear 0\n",
                       });
    // Whichever way the dialog closes, the game window takes the focus back.
    for (const char* way : {"start", "save", "open", "return", "resume", "close box"}) {
        EXPECT_NE(run.output.find(std::string("editor: mouse after ") + way + " 1\n"), std::string::npos)
            << way << "\n"
            << run.output;
    }
    EXPECT_EQ(run.output.find("DEBUG BREAK"), std::string::npos) << run.output;
}

}  // namespace
