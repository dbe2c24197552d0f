#include "app/ConfigFile.h"

#include "app/WindowSettings.h"
#include "platform/ProfileFile.h"
#include "settings/SettingsFile.h"

bool loadConfigFile(const QString &path, QString *error)
{
    const ProfileFile ini(path);
    if (!ini.readError().isEmpty()) {
        // Read as empty it would reset every setting and empty the lists.
        if (error)
            *error = ini.readError();
        return false;
    }
    // Keys the file leaves out keep what the windows have now.
    applyWindowSettings(loadSettings(ini, collectWindowSettings()));
    return true;
}

bool saveConfigFile(const QString &path, QString *error)
{
    ProfileFile ini(path);
    saveSettings(collectWindowSettings(), ini);
    return ini.save(error);
}
