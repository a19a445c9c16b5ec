// The program's entry point: start the application object and run it.
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    app->SetInstance(instance);
    if (!app->InitInstance()) {
        return 0;
    }
    return app->Run();
}
