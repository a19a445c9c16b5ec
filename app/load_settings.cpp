#include "app/picture_folder.h"
#include "app/saver_app.h"
#include "app/saver_settings.h"

void SaverApp::LoadSettings() {
    Settings& s = SaverSettings;
    s.Delay = static_cast<int32_t>(GetProfileInt(SettingsSection, DelayName, 3));
    s.Position = static_cast<int32_t>(GetProfileInt(SettingsSection, PositionName, 0));
    s.Size = static_cast<int32_t>(GetProfileInt(SettingsSection, SizeName, 0));
    s.Random = static_cast<int32_t>(GetProfileInt(SettingsSection, RandomName, 0));
    s.Overlap = static_cast<int32_t>(GetProfileInt(SettingsSection, OverlapName, 0));
    s.Path = GetProfileString(SettingsSection, PathName, DefaultPictureFolder().c_str());
    s.Subfolders = static_cast<int32_t>(GetProfileInt(SettingsSection, SubfoldersName, 1));
    s.Fade = static_cast<int32_t>(GetProfileInt(SettingsSection, FadeName, 0));
    s.Fit = static_cast<int32_t>(GetProfileInt(SettingsSection, FitName, 0));
    s.Keys = static_cast<int32_t>(GetProfileInt(SettingsSection, KeysName, 0));
    s.Captions = static_cast<int32_t>(GetProfileInt(SettingsSection, CaptionsName, 0));
    s.Pairs = static_cast<int32_t>(GetProfileInt(SettingsSection, PairsName, 0));
}
