#include "app/saver_app.h"
#include "app/saver_settings.h"
#include "framework/wnd.h"
#include "setup/edit_settings.h"

#include <optional>

// Only OK writes the values back: the six of old, the integers first, then the
// later ones. Each write stands alone; SaverSettings itself stays as it was. An owner that names no
// window gives the dialog no owner, as a plain setup start does.
void SaverApp::RunSetup(HWND owner) {
    CWnd ownerWnd = CWnd::FromHandle(owner);
    const std::optional<Settings> edited =
        EditSettings(SaverSettings, ::IsWindow(owner) ? &ownerWnd : nullptr);
    if (!edited) {
        return;
    }
    WriteProfileInt(SettingsSection, DelayName, edited->Delay);
    WriteProfileInt(SettingsSection, PositionName, edited->Position);
    WriteProfileInt(SettingsSection, SizeName, edited->Size);
    WriteProfileInt(SettingsSection, RandomName, edited->Random);
    WriteProfileInt(SettingsSection, OverlapName, edited->Overlap);
    WriteProfileString(SettingsSection, PathName, edited->Path.c_str());
    WriteProfileInt(SettingsSection, SubfoldersName, edited->Subfolders);
    WriteProfileInt(SettingsSection, FadeName, edited->Fade);
    WriteProfileInt(SettingsSection, FitName, edited->Fit);
    WriteProfileInt(SettingsSection, KeysName, edited->Keys);
    WriteProfileInt(SettingsSection, CaptionsName, edited->Captions);
    WriteProfileInt(SettingsSection, MotionName, edited->Motion);
    WriteProfileInt(SettingsSection, PairsName, edited->Pairs);
}
