#pragma once
// The settings file as one table: every key with its section, its type, its
// default and the field of the snapshot it fills, in the order the keys are
// read and written. A new setting is a field of StoredSettings and a row here.
#include "settings/StoredSettings.h"

#include <climits>
#include <optional>
#include <variant>

// A field of the snapshot, to fill it and to read it.
template <typename T>
struct SettingField {
    T &(*of)(StoredSettings &);
    const T &(*in)(const StoredSettings &);
};

// Defaults: a constant, or none when a missing or unreadable key leaves the
// field as it is (window bounds, program paths, function-key texts): the
// windows' present state, when the app loads.
struct IntSetting {
    SettingField<int> field;
    std::optional<int> defaultValue;
    int min = INT_MIN; // read values are clamped to [min, max]
    int max = INT_MAX;
    // A choice among numbered items has no nearest neighbour: a value outside
    // [min, max] reads as the default instead.
    bool outOfRangeIsDefault = false;
};

struct BoolSetting {
    SettingField<bool> field;
    std::optional<bool> defaultValue;
};

struct TextSetting {
    SettingField<QString> field;
    std::optional<QString> defaultValue;
};

// A list kept as a count (the row's key) and numbered entries: the prefix and
// the index zero-padded to `digits` ("File_%03d"). A missing count is no
// entries, so a file without the list empties it.
template <typename Item>
struct ListSetting {
    SettingField<QList<Item>> field;
    QString prefix;
    int digits = 0;
    QString (*encode)(const Item &); // an entry's stored text
    Item (*decode)(const QString &);
};

using SettingValue = std::variant<IntSetting, BoolSetting, TextSetting, ListSetting<QString>,
                                  ListSetting<ConversionRow>>;

struct SettingRow {
    QString section;
    QString key;
    SettingValue value;
    // False: written only; the field keeps its value on reading (two windows
    // store their size but keep the one they have).
    bool read = true;
};

// Every row, in file order.
const QList<SettingRow> &settingsTable();
