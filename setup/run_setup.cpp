#include "app/saver_app.h"
#include "app/saver_settings.h"
#include "setup/setup_dialog.h"

// The settings go into the dialog; only OK writes the six values back, the
// integers first. Each write stands alone; SaverSettings itself stays as it was.
void SaverApp::RunSetup() {
    SetupDialog dialog;
    const Settings& settings = SaverSettings;
    dialog.delay = settings.Delay;
    dialog.position = settings.Position;
    dialog.size = settings.Size;
    dialog.random = settings.Random;
    dialog.overlap = settings.Overlap;
    dialog.path = settings.Path;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    WriteProfileInt(SettingsSection, DelayName, dialog.delay);
    WriteProfileInt(SettingsSection, PositionName, dialog.position);
    WriteProfileInt(SettingsSection, SizeName, dialog.size);
    WriteProfileInt(SettingsSection, RandomName, dialog.random);
    WriteProfileInt(SettingsSection, OverlapName, dialog.overlap);
    WriteProfileString(SettingsSection, PathName, dialog.path.c_str());
}
