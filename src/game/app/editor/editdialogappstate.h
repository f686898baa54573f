// The edit-dialog state (state 2): shows the level edit dialog, keeps drawing
// the world dimmed behind it, runs the work the dialog's handlers hand to the
// main thread, and goes back to the game (state 1) once the dialog is closed,
// the game window taking the input focus back.
#pragma once

#include "appstate.h"

class Application;
class WDialog;

class EditDialogAppstate : public AppState {
public:
    EditDialogAppstate();
    ~EditDialogAppstate() override;

    void Update(float dt) override;
    void Enter(int previousIndex) override;
    void Exit(int nextIndex) override;

    // The open dialog, null while the state is not entered.
    WDialog* GetDialog() const { return editDialog_; }

private:
    WDialog* editDialog_ = nullptr;
    Application* application_;
};
