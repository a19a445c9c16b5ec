#include "setup/edit_settings.h"

#include "setup/setup_dialog.h"

std::optional<Settings> EditSettings(const Settings& settings) {
    SetupDialog dialog;
    dialog.delay = settings.Delay;
    dialog.position = settings.Position;
    dialog.size = settings.Size;
    dialog.random = settings.Random;
    dialog.overlap = settings.Overlap;
    dialog.path = settings.Path;
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    Settings edited;
    edited.Delay = dialog.delay;
    edited.Position = dialog.position;
    edited.Size = dialog.size;
    edited.Random = dialog.random;
    edited.Overlap = dialog.overlap;
    edited.Path = dialog.path;
    return edited;
}
