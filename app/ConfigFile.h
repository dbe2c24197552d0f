#pragma once
// The settings file: every stored setting of the windows, read into a
// snapshot and applied to them, or collected from them and written.
#include <QString>

// Reads the file and applies it to the controls and windows; a missing file,
// section or key gives that key's default. False (with a reason) when the
// file is there but cannot be read: then nothing is changed.
bool loadConfigFile(const QString &path, QString *error = nullptr);

// Writes every key from the current state of the controls and windows, then
// replaces the file atomically. False (with a reason) when the file could not
// be written; the old file is then untouched.
bool saveConfigFile(const QString &path, QString *error = nullptr);
