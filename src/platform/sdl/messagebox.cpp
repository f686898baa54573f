// Message boxes through SDL, or on standard error when no one can answer.
#include "messagebox.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "windowsystem.h"

namespace {

constexpr unsigned kButtonMask = 0xF;
constexpr unsigned kIconMask = 0xF0;

struct ButtonSet {
    unsigned style;
    int count;
    int ids[3];
    const char* labels[3];
};

constexpr ButtonSet kButtonSets[] = {
    {MB_OK, 1, {IDOK}, {"OK"}},
    {MB_OKCANCEL, 2, {IDOK, IDCANCEL}, {"OK", "Cancel"}},
    {MB_YESNOCANCEL, 3, {IDYES, IDNO, IDCANCEL}, {"Yes", "No", "Cancel"}},
    {MB_YESNO, 2, {IDYES, IDNO}, {"Yes", "No"}},
};

const ButtonSet& FindButtonSet(unsigned style)
{
    for (const ButtonSet& set : kButtonSets) {
        if (set.style == (style & kButtonMask)) {
            return set;
        }
    }
    return kButtonSets[0];
}

bool EnvironmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

void PrintBox(const char* text, const char* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    std::fflush(stderr);
}

}  // namespace

int DefaultMessageBoxResult(unsigned style)
{
    return FindButtonSet(style).ids[0];
}

bool MessageBoxesPrintOnly()
{
    if (EnvironmentSet("MORVO_TEST")) {
        return true;
    }
    return !EnvironmentSet("DISPLAY") && !EnvironmentSet("WAYLAND_DISPLAY");
}

int ShowMessageBox(const char* text, const char* caption, unsigned style)
{
    const ButtonSet& set = FindButtonSet(style);
    if (MessageBoxesPrintOnly()) {
        PrintBox(text, caption);
        return set.ids[0];
    }
    PrepareWindowSystemThreads();

    SDL_MessageBoxButtonData buttons[3] = {};
    for (int i = 0; i < set.count; ++i) {
        buttons[i].buttonid = set.ids[i];
        buttons[i].text = set.labels[i];
    }
    buttons[0].flags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    buttons[set.count - 1].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;

    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    switch (style & kIconMask) {
        case MB_ICONSTOP:
            flags = SDL_MESSAGEBOX_ERROR;
            break;
        case MB_ICONEXCLAMATION:
            flags = SDL_MESSAGEBOX_WARNING;
            break;
        default:
            break;
    }

    SDL_MessageBoxData data = {};
    data.flags = flags;
    data.title = caption ? caption : "";
    data.message = text ? text : "";
    data.numbuttons = set.count;
    data.buttons = buttons;

    int chosen = -1;
    if (SDL_ShowMessageBox(&data, &chosen) != 0) {
        PrintBox(text, caption);
        return set.ids[0];
    }
    if (chosen < 0) {
        // Closed without a button: the escape button.
        return set.ids[set.count - 1];
    }
    return chosen;
}
