// The level edit dialog and its handlers; see leveleditdialog.h.
#include "leveleditdialog.h"

#include "animationdatabase.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "editdialogresources.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "korrel/wcommondialogs.h"
#include "mainthreadqueue.h"
#include "morvofiles.h"
#include "morvoworld.h"
#include "platformwindow.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kStartFolder = ".";
constexpr const char* kErrorCaption = "Korrel";

struct Handler {
    unsigned id;
    WEventCallback callback;
};

// Registered in this order, so later ones are found first.
constexpr Handler kHandlers[] = {
    {kEditHelp, OnEditHelp},                                  // menu "Morvo Editing Help..."
    {kEditSaveLevel, OnEditSaveLevel},                        // button and menu "Export..."
    {kEditOpenLevel, OnEditOpenLevel},                        // button and menu "Import..."
    {kEditResume, OnEditResume},                              // "Resume Game"
    {kEditClearAll, OnEditClearAll},                          // "Clear All Morvos"
    {kEditWinWhenAllPure, OnEditWinWhenAllPure},              // check box
    {kEditWinWhenNoDarkMorvos, OnEditWinWhenNoDarkMorvos},    // check box
    {kEditLoseWhenNoPureMorvos, OnEditLoseWhenNoPureMorvos},  // check box
};

WDialog* DialogOf(const WEvent& event)
{
    return static_cast<WDialog*>(event.owner);
}

// Loads or saves on the main thread; on success the dialog closes, else the error box.
void LevelFileCommand(const WEvent& event, const std::string& path, bool (*command)(const std::string&),
                      const char* failure)
{
    if (path.empty()) {
        return;
    }
    bool done = false;
    GetMainThreadQueue().Run([&done, &path, command] { done = command(path); });
    if (done) {
        OnEditResume(event);
    } else {
        ShowErrorBox(std::string(failure) + "\"" + path + "\"", kErrorCaption);
    }
}

// A rule check box: the world's rule follows the box's new mark.
void FollowCheckBox(const WEvent& event, unsigned id, void (MorvoWorld::*set)(bool))
{
    const bool checked = DialogOf(event)->IsChecked(id);
    GetMainThreadQueue().Run([checked, set] { (GetMorvoWorld().*set)(checked); });
}

}  // namespace

WDialog* CreateEditDialog(HWND parent)
{
    RegisterEditDialogResources();
    auto* dialog = new WDialog(kEditDialogId, false, nullptr, 0);
    for (const Handler& handler : kHandlers) {
        dialog->RegisterMessageHandler(handler.id, handler.callback, WM_COMMAND, 0);
    }
    dialog->RegisterHotKeyTable(kEditAcceleratorsId);
    dialog->RegisterMessageHandler(kEditReturnCommand, OnEditResume, WM_COMMAND, 0);
    int parentWidth = 0;
    int parentHeight = 0;
    if (parent && GetWindowClientSize(parent, &parentWidth, &parentHeight)) {
        int width = 0;
        int height = 0;
        dialog->GetSize(&width, &height);
        dialog->SetPosition(parentWidth / 2 - width / 2, parentHeight / 2 - height / 2);
    }
    const MorvoWorld& world = GetMorvoWorld();
    dialog->SetChecked(kEditWinWhenAllPure, world.GetWinWhenAllPure());
    dialog->SetChecked(kEditWinWhenNoDarkMorvos, world.GetWinWhenNoDarkMorvos());
    dialog->SetChecked(kEditLoseWhenNoPureMorvos, world.GetLoseWhenNoPureMorvos());
    dialog->SetVisible(true, 0);
    return dialog;
}

void DestroyEditDialog(WDialog*& dialog)
{
    if (dialog == nullptr) {
        DEBUG_BREAK("DestroyEditDialog without a dialog");
        return;
    }
    if (dialog->IsOpen()) {
        // Left while still open (the program ends): the window goes too.
        WEvent event;
        event.owner = dialog;
        WDialog::OnClose(event);
    }
    delete dialog;
    dialog = nullptr;
}

void OnEditResume(WEvent event)
{
    WDialog::OnClose(event);
}

void OnEditOpenLevel(WEvent event)
{
    LevelFileCommand(event, OpenFileDialog(kStartFolder, ""), MorvoFiles::LoadLevel, "Error loading ");
}

void OnEditSaveLevel(WEvent event)
{
    LevelFileCommand(event, SaveFileDialog(kStartFolder, ""), MorvoFiles::SaveLevel, "Error saving ");
}

void OnEditClearAll(WEvent)
{
    GetMainThreadQueue().Run(ClearAllMorvos);
}

void OnEditWinWhenAllPure(WEvent event)
{
    FollowCheckBox(event, kEditWinWhenAllPure, &MorvoWorld::SetWinWhenAllPure);
}

void OnEditWinWhenNoDarkMorvos(WEvent event)
{
    FollowCheckBox(event, kEditWinWhenNoDarkMorvos, &MorvoWorld::SetWinWhenNoDarkMorvos);
}

void OnEditLoseWhenNoPureMorvos(WEvent event)
{
    FollowCheckBox(event, kEditLoseWhenNoPureMorvos, &MorvoWorld::SetLoseWhenNoPureMorvos);
}

void OnEditHelp(WEvent)
{
    ShowInfoBox("No help for you!", "Morvo Help");
}

void ClearAllMorvos()
{
    MorvoWorld& world = GetMorvoWorld();
    world.ClearMorvos();
    GridSetDatabase::GetInstance()->Clear();
    AnimationDatabase::GetInstance()->Clear();
    world.GetTriggers().Clear();
    world.SetWinWhenAllPure(false);
    world.SetWinWhenNoDarkMorvos(false);
    world.SetLoseWhenNoPureMorvos(false);
    for (int i = 0; i < kWorldIslandCount; ++i) {
        if (IslandModel* island = world.GetIsland(static_cast<WorldIsland>(i))) {
            island->SetDirty(false);
        }
    }
    world.ClearParticleSystems();
    MorvoFiles::ForgetLevelPointers();
}

void OnEditGenerateRandom(WEvent event)
{
    constexpr unsigned kRandomAmount = 1006;
    WDialog* dialog = DialogOf(event);
    const float amount = std::clamp(std::strtof(dialog->GetText(kRandomAmount).c_str(), nullptr), 0.0f, 1.0f);
    dialog->SetText(kRandomAmount, std::to_string(amount), -1);
    DebugLog("Generate Random NOT IMPLEMENTED YET\n");
}
