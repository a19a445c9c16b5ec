// The setup road's dialog, run on a copy of the settings.
#pragma once

#include "common/settings.h"

#include <optional>

class CWnd;

// Runs the setup dialog with the given settings, modal to the owner if there is
// one: the edited settings when the user confirms with OK, nothing otherwise.
std::optional<Settings> EditSettings(const Settings& settings, CWnd* owner);
