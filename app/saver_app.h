// SaverApp: the application object. It reads the settings, seeds the random
// generator, finds the display and sends the program down the road that its
// command line names: the setup dialog, the full-screen show or the preview.
#pragma once

#include "app/show_state.h"
#include "display/display.h"
#include "framework/win_app.h"

#include <memory>

class SaverApp : public CWinApp {
public:
    SaverApp() = default;
    ~SaverApp() override = default;

    BOOL InitInstance() override;

    // Reads the six settings from the registry into SaverSettings.
    void LoadSettings();
    // The setup road: the setup dialog, and the settings stored on OK. The
    // dialog is modal to the owner when that names a window.
    void RunSetup(HWND owner = nullptr);

private:
    BOOL StartPreview(HWND parent);
    BOOL StartFullScreen();

    // The display the show windows draw on, for the whole run.
    std::unique_ptr<const Display> display;
    // Where the full-screen show keeps what it drew, for the next one.
    StateKeeper stateKeeper{*this};
};
