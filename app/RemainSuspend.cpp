// File › suspend/resume and the autosave tick are WorkSuspend's; the main
// window gives it the settings file and the editor.
#include "app/Remain.h"

#include "session/RollSession.h"

#include "app/ConfigFile.h"
#include "app/DocumentFiles.h"
#include "app/RollEditor.h"
#include "app/WorkSuspend.h"

#include <QDir>

void TForm1::buildWorkSuspend()
{
    WorkSuspend::Hooks hooks;
    hooks.saveSettings = [](const QString &path, QString *error) { return saveConfigFile(path, error); };
    hooks.loadSettings = [this](const QString &path) { LoadConfigFile(path); };
    hooks.mayDiscardRoll = [this] { return m_files->mayDiscardRoll(); };
    hooks.restoreRoll = [this](const QString &text) {
        // One step: Undo brings back the roll in the editor.
        const RollSession::Transaction step(*m_session);
        takeNewRoll(text);
    };
    hooks.exitNow = [this] { Exit1Click(); };
    hooks.autosaveFolder = [this] {
        return m_files->rollFolder().isEmpty() ? m_suspend->workingFolder() : m_files->rollFolder();
    };
    m_suspend = std::make_unique<WorkSuspend>(*m_rollAccess, QDir::currentPath(), std::move(hooks));
}

WorkSuspend &TForm1::workSuspend() { return *m_suspend; }

void TForm1::takeUpCopy(const QString &path)
{
    // A copy is a roll like any other: Open reads it by its content.
    if (!m_files->mayDiscardRoll() || !LoadDocument(path))
        return;
    // The roll taken up, in front of the history it was chosen in.
    raise();
    activateWindow();
}

void TForm1::Break1Click() { m_suspend->suspend(); }
void TForm1::Restore1Click() { m_suspend->resume(); }
void TForm1::AutoSaveTimerTimer() { m_suspend->autosaveTick(); }
