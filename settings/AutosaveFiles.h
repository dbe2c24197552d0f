#pragma once
// The names of the work files: the suspend pair and the stamped autosave
// copies, and the time stamp the backup history shows.
#include <QDateTime>
#include <QStringList>

inline constexpr char16_t kSuspendSettingsName[] = u"作業一時保存.ini";
inline constexpr char16_t kSuspendRollName[] = u"作業一時保存.txt";

// "一時保存yyyy-mm-dd-hhnnss.txt" for the moment `when`.
QString autosaveCopyName(const QDateTime &when);
// The autosave copies in `folder` ("一時保存*.txt"), by name: oldest first.
QStringList autosaveCopies(const QString &folder);

// A local time as the file system's packed DOS stamp (date in the high 16
// bits, time in the low 16, seconds halved), as a signed 32-bit number.
qint32 dosDateTime(const QDateTime &when);
