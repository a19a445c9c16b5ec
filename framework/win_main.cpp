// The program's entry point: start the application object and run it.
#include "framework/callback_guard.h"
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    app->SetInstance(instance);
    // An exception that gets this far (an allocation failure, say) ends the
    // program quietly, as one caught in a window procedure does.
    const int code = GuardCallback(0, [app] { return app->InitInstance() ? app->Run() : 0; });
    // Nothing is left to save: the program writes nothing at its end.
    if (app->BlockedThreadLeft()) {
        ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(code));
    }
    return code;
}
