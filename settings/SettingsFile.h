#pragma once
// The settings file read into a snapshot and written from one, key by key in
// the order of the settings table.
#include "settings/StoredSettings.h"

class ProfileFile;

// Every readable row of the table, each with its default when the key is
// missing or unreadable, numbers clamped to their range. Rows without a
// constant default, and the rows that are written only, keep what `current`
// holds: the app passes the windows' present state, so those keys change
// nothing when they are missing.
StoredSettings loadSettings(const ProfileFile &ini, StoredSettings current = {});

// Writes every row into `ini` (in memory; ProfileFile::save writes the file).
// Entries of a list beyond its new count, left from a longer one, stay unread.
void saveSettings(const StoredSettings &settings, ProfileFile &ini);
