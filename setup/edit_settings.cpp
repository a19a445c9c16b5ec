#include "setup/edit_settings.h"

#include "setup/setup_dialog.h"

std::optional<Settings> EditSettings(const Settings& settings, CWnd* owner) {
    SetupDialog dialog(settings, owner);
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    return dialog.settings;
}
