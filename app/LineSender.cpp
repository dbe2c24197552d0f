// Line sending (see the header).
#include "app/LineSender.h"

#include "app/RollEditor.h"
#include "platform/Cp932.h"
#include "platform/Prompter.h"
#include "roll/RollAccess.h"
#include "send/LineSending.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextBlock>

#include <utility>

using namespace Qt::StringLiterals;

namespace {
const QString kCaptureCaption = u"ウィンドウハンドルの取得"_s;
const QString kNoTarget = u"送信先のウィンドウが特定されていません"_s;
const QString kTargetUnavailable =
    u"送信先のウィンドウが閉じたか、最小化されているか、このエディタのウィンドウです"_s;

// Why a line did not arrive, as the status bar says it.
QString failureText(SendFailure failure)
{
    switch (failure) {
    case SendFailure::None:
    case SendFailure::TargetGone:
        break;
    case SendFailure::NoFocus:
        return u"送信先のウィンドウが入力を受け取りませんでした（フォーカスを得られません）"_s;
    case SendFailure::NoAnswer:
        return u"送信先のウィンドウが待ち時間内に行を受け取りませんでした"_s;
    case SendFailure::BridgeFailed:
        return u"Wine上のプログラムへの中継に失敗しました"_s;
    }
    return kTargetUnavailable;
}

// Hands the editor's key presses to the main window's key handler before the
// editor sees them.
class EditorKeyFilter : public QObject {
public:
    explicit EditorKeyFilter(LineSender &sender)
        : QObject(&sender), m_sender(sender)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool handled = m_sender.editorKeyDown(static_cast<QKeyEvent *>(event));
            if (handled)
                m_sendingKey = key->key();
            return handled;
        }
        // The release of a key that sent a line is part of the send: passed on,
        // it would replace what the send said in the status bar.
        if (event->type() == QEvent::KeyRelease && m_sendingKey != 0) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == m_sendingKey) {
                if (!key->isAutoRepeat())
                    m_sendingKey = 0;
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    LineSender &m_sender;
    int m_sendingKey = 0;
};
} // namespace

LineSender::LineSender(RollAccess &roll, Controls controls, QObject *parent)
    : QObject(parent), m_roll(roll), m_controls(std::move(controls))
{
    m_controls.editor->installEventFilter(new EditorKeyFilter(*this));
}

LineSender::~LineSender() = default;

WindowSender &LineSender::windowSender()
{
    if (!m_sender)
        setWindowSender(createWindowSender());
    return *m_sender;
}

void LineSender::setWindowSender(std::unique_ptr<WindowSender> sender)
{
    m_sender = std::move(sender);
    m_sender->setSettleTime(m_settleMs);
    connect(m_sender.get(), &WindowSender::captureKeyPressed, this,
            [this](WId window) { captured(0, window); });
    connect(m_sender.get(), &WindowSender::keyPressedDuringSend, this, [this](int key) {
        m_heldKeys.append(key);
        if (m_heldKeys.size() == 1)
            QMetaObject::invokeMethod(this, &LineSender::replayHeldKeys, Qt::QueuedConnection);
    });
}

void LineSender::setSettleTime(int ms)
{
    m_settleMs = ms;
    if (m_sender)
        m_sender->setSettleTime(ms);
}

void LineSender::replayHeldKeys()
{
    // As if pressed in the editor: F1 sends the then caret line, Enter sends
    // or breaks the line as the input assist says. Keys held during these
    // sends queue behind.
    const QList<int> keys = std::exchange(m_heldKeys, {});
    for (const int key : keys) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                        key == Qt::Key_F1 ? QString() : u"\r"_s);
        QCoreApplication::sendEvent(m_controls.editor, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier,
                          key == Qt::Key_F1 ? QString() : u"\r"_s);
        QCoreApplication::sendEvent(m_controls.editor, &release);
    }
}

void LineSender::startCapture()
{
    // F2 already taken (by another program or a capture under way): silent.
    if (!windowSender().armCaptureHotKey())
        return;
    showMessage(u"入力したい枠にカーソルをあわせ、F2キーを押してください。"_s, kCaptureCaption);
}

void LineSender::captured(int id, WId window)
{
    if (id != 0)
        return;
    m_controls.handle->setText(formatSendHandle(window));
    showMessage(u"取得を完了しました。\r\nF1キーで文字を送信します。"_s, kCaptureCaption);
}

bool LineSender::editorKeyDown(QKeyEvent *key)
{
    if (m_controls.keyPressed)
        m_controls.keyPressed(key->key());
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // Send by Enter: the Enter sends like F1 and never breaks the line.
    const bool sendByEnter = enter && m_controls.sendByEnter();
    if (key->key() != Qt::Key_F1 && !sendByEnter)
        return false;
    sendCaretLine();
    return true;
}

void LineSender::sendCaretLine()
{
    RollEditor &editor = *m_controls.editor;
    QTextCursor cursor = editor.textCursor();
    const QString line = cursor.block().text();
    const int textEnd = editor.document()->characterCount() - 1;
    const LineSendStep step = lineSendStep(line, cursor.position(), textEnd, m_roll.commentKinds());
    if (step.send) {
        const WId target = WId(parseSendHandle(m_controls.handle->text()));
        SendOutcome outcome = SendOutcome::failed(SendFailure::TargetGone);
        if (target != 0 && windowSender().windowExists(target)) {
            const QByteArray bytes = cp932Encode(line); // what cannot be sent becomes "?"
            outcome = m_controls.method->currentIndex() == 1
                          ? windowSender().typeTextAndEnter(target, bytes)
                          : windowSender().replaceTextAndEnter(target, bytes);
        }
        if (!outcome.delivered()) {
            // Said at once and without a box, so that F1 keeps its rhythm; the
            // caret stays, so the next F1 tries the same line again.
            m_roll.setStatusText(u"★%1行目は送信されませんでした：%2"_s.arg(cursor.blockNumber() + 1)
                                     .arg(target == 0 ? kNoTarget : failureText(outcome.failure)));
            return;
        }
    }
    cursor.setPosition(step.caretAfter);
    editor.setTextCursor(cursor);
    editor.scrollToLine(editor.firstVisibleLine() + 1);
    m_controls.caretMoved();
}
