#pragma once
// Putting the work aside and taking it up again: suspend writes the settings
// and the roll (as rich text) to "作業一時保存.ini/.txt" in the working folder,
// resume reads them back; while autosave is on, every tick writes the settings
// and a new "一時保存<stamp>.txt" copy into the folder of the roll last opened
// or saved. Every file goes through a temporary file renamed into place, so an
// interrupted write leaves the previous state, never a broken file.
#include "roll/RollConventions.h"
#include "settings/AutosaveFiles.h"

#include <QDateTime>
#include <QStringList>

#include <functional>

class RollAccess;

class WorkSuspend {
public:
    struct Hooks {
        // Writes the settings file; false with `error` set when it cannot.
        std::function<bool(const QString &path, QString *error)> saveSettings;
        std::function<void(const QString &path)> loadSettings;
        // Before the roll is replaced: a non-empty roll asks whether to save
        // it first. True to go on.
        std::function<bool()> mayDiscardRoll;
        // Puts a resumed roll in as one undo step: Undo brings back the roll
        // it replaced.
        std::function<void(const QString &text)> restoreRoll;
        // Ends the program at once, without the closing question.
        std::function<void()> exitNow;
        // Where autosave writes (the folder of the roll last opened or saved).
        std::function<QString()> autosaveFolder;
        std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    };

    WorkSuspend(RollAccess &roll, const QString &workingFolder, Hooks hooks);

    void suspend();
    // Asks first when the roll is not empty; damaged suspend files are
    // resumed as far as they can be read, told, and never offered for deletion.
    void resume();
    // Writes the settings, and a new copy only when the roll differs from the
    // newest copy in the folder; keeps the newest kAutosaveCopiesKept copies.
    void autosaveTick();
    // The roll written as a new stamped copy in the autosave folder, for the
    // program's last moments; the path written, or empty.
    QString writeRescueCopy();

    QString workingFolder() const { return m_workingFolder; }
    // Where the autosave copies go now (and the backup history looks).
    QString autosaveFolder() const { return m_hooks.autosaveFolder(); }

private:
    QByteArray rollBytes() const;
    QString newCopyPath(const QString &folder) const;
    // True when the newest own copy in `folder` holds exactly `bytes`.
    bool newestCopyHolds(const QString &folder, const QByteArray &bytes);
    // Removes the own copies beyond the newest kAutosaveCopiesKept.
    void pruneCopies(const QString &folder);
    // A write that failed: logged, and shown unless `quiet`.
    void reportWriteFailure(const QString &path, const QString &error, bool settings, bool quiet);

    RollAccess &m_roll;
    QString m_workingFolder;
    Hooks m_hooks;
    bool m_autosaveFailing = false; // told once; the timer goes on trying
    // The copy written last, so that an unchanged roll is not read back
    // from the disk at every tick.
    struct LastCopy {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QByteArray digest;
    } m_lastCopy;
};
