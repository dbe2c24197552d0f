#pragma once
// Sending roll lines into another program's input box: the capture of the
// target window (F2 over it) and F1 (or Enter, when the input assist says so),
// which sends the caret line and moves the caret on once it arrived. Owns the
// back end that reaches other windows.
#include "roll/RollConventions.h"
#include "platform/WindowSender.h"

#include <QObject>

#include <QList>

#include <functional>
#include <memory>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class RollAccess;
class RollEditor;

class LineSender : public QObject {
    Q_OBJECT
public:
    // The main window's controls the sending reads and writes.
    struct Controls {
        RollEditor *editor = nullptr;
        QLineEdit *handle = nullptr;  // the captured target, as text
        QComboBox *method = nullptr;  // 0: replace the box's text; 1: type it
        std::function<bool()> sendByEnter;
        std::function<void()> caretMoved; // the caret status follows
        std::function<void(int qtKey)> keyPressed; // every key first (the input assist's F4 … F10)
    };

    LineSender(RollAccess &roll, Controls controls, QObject *parent);
    ~LineSender() override;

    // The back end, made on first use for this desktop; tests install a fake.
    WindowSender &windowSender();
    void setWindowSender(std::unique_ptr<WindowSender> sender);

    // Arms the capture key and tells the user what to do.
    void startCapture();
    // The capture hot key `id` (ours is 0) went off over `window`.
    void captured(int id, WId window);
    // The editor's key handler: true when the key sent a line.
    bool editorKeyDown(QKeyEvent *key);

    // How long a target may take to read its keys (ms), for the back end.
    int settleTime() const { return m_settleMs; }
    void setSettleTime(int ms);

private:
    void sendCaretLine();
    // Keys the back end kept from the target during a send, pressed in the
    // editor now, in order.
    void replayHeldKeys();

    RollAccess &m_roll;
    Controls m_controls;
    std::unique_ptr<WindowSender> m_sender;
    int m_settleMs = WindowSender::kDefaultSettleMs;
    QList<int> m_heldKeys; // Qt::Key values
};
