// The level edit dialog's resources: dialog 101 "Morvo Edit" with its
// controls, menu 101 and accelerator table 102, registered as the program's
// own resources for the toolkit to build the dialog from.
#pragma once

constexpr unsigned kEditDialogId = 101;
constexpr unsigned kEditMenuId = 101;
constexpr unsigned kEditAcceleratorsId = 102;

constexpr unsigned kEditOpenLevel = 1001;  // button, and the menu's "Import..."
constexpr unsigned kEditSaveLevel = 1002;  // button, and the menu's "Export..."
constexpr unsigned kEditResume = 1003;
constexpr unsigned kEditClearAll = 1008;
constexpr unsigned kEditWinWhenAllPure = 1010;
constexpr unsigned kEditWinWhenNoDarkMorvos = 1011;
constexpr unsigned kEditLoseWhenNoPureMorvos = 1012;
constexpr unsigned kEditHelp = 40002;
constexpr unsigned kEditEscapeCommand = 40003;
constexpr unsigned kEditReturnCommand = 40005;

// Registers the table under the program's own module (idempotent).
void RegisterEditDialogResources();
