#pragma once
// The stored settings as the windows hold them: collected from their controls
// and bounds, and applied back.
#include "settings/StoredSettings.h"

// Every stored setting as the windows have it now.
StoredSettings collectWindowSettings();

// Sets every control and window from `settings`, in the order of the settings
// file, each as the user setting it would (the handlers run: the editor font
// changes, the autosave timer follows its mark, windows show or hide).
void applyWindowSettings(const StoredSettings &settings);
