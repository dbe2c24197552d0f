// Sending: the commands are LineSender's; the main window gives it the editor
// and the panel's target and method.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "app/LineSender.h"
#include "send/TRollInput.h"

#include <QCheckBox>

void TForm1::buildSending()
{
    LineSender::Controls controls;
    controls.editor = RichEdit1;
    controls.handle = SendHandle;
    controls.method = SendMethod;
    controls.sendByEnter = [] { return RollInput && RollInput->SendByEnter->isChecked(); };
    controls.caretMoved = [this] { updateCaretStatus(); };
    controls.keyPressed = [](int key) {
        if (RollInput)
            RollInput->editorKeyPressed(key);
    };
    m_lineSender = new LineSender(*m_rollAccess, std::move(controls), this);
}

WindowSender &TForm1::windowSender() { return m_lineSender->windowSender(); }
void TForm1::setWindowSender(std::unique_ptr<WindowSender> sender) { m_lineSender->setWindowSender(std::move(sender)); }
int TForm1::sendSettleTime() const { return m_lineSender->settleTime(); }
void TForm1::setSendSettleTime(int ms) { m_lineSender->setSettleTime(ms); }
void TForm1::Button1Click() { m_lineSender->startCapture(); }
void TForm1::WMHotKey(int id, WId window) { m_lineSender->captured(id, window); }
bool TForm1::RichEdit1KeyDown(QKeyEvent *key) { return m_lineSender->editorKeyDown(key); }
