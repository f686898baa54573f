// The level edit dialog: dialog 101 of the toolkit with its handlers (open,
// save, clear, the three rule check boxes, help, resume). The handlers run on
// the toolkit's thread; whatever they change in the world or load from files
// they hand to the main thread's queue and wait for, between two frames.
#pragma once

#include "korrel/wdialog.h"

// Builds the dialog hidden, registers its handlers and hot keys, centres it on
// the parent's client area (screen coordinates; no parent: left where it is),
// shows the world's rules in the check boxes and brings it to the front.
WDialog* CreateEditDialog(HWND parent);
// Closes the dialog if it is still open, deletes it and sets the pointer to null.
void DestroyEditDialog(WDialog*& dialog);

// The handlers, as the registry calls them.
void OnEditResume(WEvent event);
void OnEditOpenLevel(WEvent event);
void OnEditSaveLevel(WEvent event);
void OnEditClearAll(WEvent event);
void OnEditWinWhenAllPure(WEvent event);
void OnEditWinWhenNoDarkMorvos(WEvent event);
void OnEditLoseWhenNoPureMorvos(WEvent event);
void OnEditHelp(WEvent event);

// What "Clear All Morvos" does to the level, on the main thread: morvos, grid
// sets, animations and triggers emptied, the three rules off, the islands
// clean, the particle systems gone; then nothing points into the emptied
// tables any more. The check boxes keep their marks.
void ClearAllMorvos();

// Not called by the game (the dialog has no control 1006): clamps the number
// in control 1006 into [0, 1] and writes it back.
void OnEditGenerateRandom(WEvent event);
