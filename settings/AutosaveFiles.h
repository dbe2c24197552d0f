#pragma once
// The names of the work files: the suspend pair and the stamped autosave
// copies, and which of the copies autosave keeps.
#include <QDateTime>
#include <QStringList>

inline constexpr char16_t kSuspendSettingsName[] = u"作業一時保存.ini";
inline constexpr char16_t kSuspendRollName[] = u"作業一時保存.txt";

// "一時保存yyyy-mm-dd-hhnnss.txt" for the moment `when`.
QString autosaveCopyName(const QDateTime &when);
// The autosave copies in `folder` ("一時保存*.txt"), by name: oldest first.
QStringList autosaveCopies(const QString &folder);

// How many of its own copies autosave keeps in a folder; older ones go.
inline constexpr int kAutosaveCopiesKept = 100;

// The names autosave itself gives in `folder` ("一時保存" + stamp, and a
// "-N" for a further copy in the same second), oldest first by stamp and
// number. Other files that match "一時保存*.txt" are not among them.
QStringList ownAutosaveCopies(const QString &folder);

// Of `ownCopies` (oldest first), those beyond the newest `keep`.
QStringList copiesBeyond(const QStringList &ownCopies, int keep);
