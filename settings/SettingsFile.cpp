#include "settings/SettingsFile.h"

#include "platform/ProfileFile.h"
#include "settings/SettingsTable.h"

#include <algorithm>

namespace {

template <typename Item>
QString entryKey(const ListSetting<Item> &list, int index)
{
    // An index wider than the padding is written with all its digits.
    return list.prefix + QString::number(index).rightJustified(list.digits, u'0');
}

void read(const ProfileFile &ini, const SettingRow &row, const IntSetting &setting, StoredSettings &s)
{
    int &value = setting.field.of(s);
    const int fallback = setting.defaultValue.value_or(value);
    const int read = ini.readInt(row.section, row.key, fallback);
    if (setting.outOfRangeIsDefault && (read < setting.min || read > setting.max))
        value = fallback;
    else
        value = std::clamp(read, setting.min, setting.max);
}

void read(const ProfileFile &ini, const SettingRow &row, const BoolSetting &setting, StoredSettings &s)
{
    bool &value = setting.field.of(s);
    value = ini.readBool(row.section, row.key, setting.defaultValue.value_or(value));
}

void read(const ProfileFile &ini, const SettingRow &row, const TextSetting &setting, StoredSettings &s)
{
    QString &value = setting.field.of(s);
    value = ini.readString(row.section, row.key, setting.defaultValue.value_or(value));
}

template <typename Item>
void read(const ProfileFile &ini, const SettingRow &row, const ListSetting<Item> &list, StoredSettings &s)
{
    // Bounded by the entries the file holds: a damaged count costs no more.
    const int count = ini.readListLength(row.section, row.key, list.prefix, list.digits);
    QList<Item> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.append(list.decode(ini.readString(row.section, entryKey(list, i), QString())));
    list.field.of(s) = std::move(items);
}

void write(ProfileFile &ini, const SettingRow &row, const IntSetting &setting, const StoredSettings &s)
{
    ini.writeInt(row.section, row.key, setting.field.in(s));
}

void write(ProfileFile &ini, const SettingRow &row, const BoolSetting &setting, const StoredSettings &s)
{
    ini.writeBool(row.section, row.key, setting.field.in(s));
}

void write(ProfileFile &ini, const SettingRow &row, const TextSetting &setting, const StoredSettings &s)
{
    ini.writeString(row.section, row.key, setting.field.in(s));
}

template <typename Item>
void write(ProfileFile &ini, const SettingRow &row, const ListSetting<Item> &list, const StoredSettings &s)
{
    const QList<Item> &items = list.field.in(s);
    ini.writeInt(row.section, row.key, int(items.size()));
    for (int i = 0; i < items.size(); ++i)
        ini.writeString(row.section, entryKey(list, i), list.encode(items.at(i)));
}

} // namespace

StoredSettings loadSettings(const ProfileFile &ini, StoredSettings current)
{
    for (const SettingRow &row : settingsTable()) {
        if (row.read)
            std::visit([&](const auto &setting) { read(ini, row, setting, current); }, row.value);
    }
    return current;
}

void saveSettings(const StoredSettings &settings, ProfileFile &ini)
{
    for (const SettingRow &row : settingsTable())
        std::visit([&](const auto &setting) { write(ini, row, setting, settings); }, row.value);
}
