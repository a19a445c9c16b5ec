#include "framework/message_box.h"

#include "framework/win_app.h"

int AfxMessageBox(const std::string& text, UINT type) {
    const CWinApp* app = AfxGetApp();
    const std::string caption = app != nullptr ? app->AppName() : std::string();
    return ::MessageBoxA(::GetActiveWindow(), text.c_str(), caption.c_str(), type);
}

std::string AfxFormatString1(UINT id, const char* argument) {
    char buffer[256] = "";
    ::LoadStringA(AfxGetInstanceHandle(), id, buffer, sizeof buffer);
    std::string text = buffer;
    const auto marker = text.find("%1");
    if (marker != std::string::npos) {
        text.replace(marker, 2, argument);
    }
    return text;
}
