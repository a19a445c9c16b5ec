#include "framework/win_app.h"

#include <cstdlib>

namespace {
CWinApp* theApplication = nullptr;

// The program file's name without folder and extension.
std::string ModuleBaseName(HINSTANCE instance) {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    std::string name = path;
    const auto slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}
} // namespace

CWinApp::CWinApp(const char* name) {
    theApplication = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    appName = name != nullptr ? name : ModuleBaseName(m_hInstance);
}

CWinApp::~CWinApp() {
    if (theApplication == this) {
        theApplication = nullptr;
    }
}

void CWinApp::SetInstance(HINSTANCE instance) {
    m_hInstance = instance;
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int CWinApp::ArgumentCount() const {
    return __argc;
}

const char* CWinApp::Argument(int index) const {
    return index >= 0 && index < __argc ? __argv[index] : nullptr;
}

CWinApp* AfxGetApp() {
    return theApplication;
}

HINSTANCE AfxGetInstanceHandle() {
    return theApplication != nullptr ? theApplication->m_hInstance : ::GetModuleHandleA(nullptr);
}
