#include "platform/RoutingWindowSender.h"

#include "platform/Prompter.h"

using namespace Qt::StringLiterals;

namespace {
const QString kCaptureCaption = u"ウィンドウハンドルの取得"_s;
} // namespace

RoutingWindowSender::RoutingWindowSender(std::unique_ptr<WindowSender> desktop,
                                         std::unique_ptr<WineDelivery> wine,
                                         std::function<WineTarget(WId)> wineTargetOf)
    : m_desktop(std::move(desktop)), m_wine(std::move(wine)), m_wineTargetOf(std::move(wineTargetOf))
{
    connect(m_desktop.get(), &WindowSender::captureKeyPressed, this,
            &RoutingWindowSender::desktopCaptured);
    // F1 / Enter held away from a desktop target during its send belong to the
    // editor whichever back end delivered.
    connect(m_desktop.get(), &WindowSender::keyPressedDuringSend, this,
            &WindowSender::keyPressedDuringSend);
}

RoutingWindowSender::~RoutingWindowSender() = default;

void RoutingWindowSender::setSettleTime(int ms)
{
    // Only the desktop back end waits for keys to be read; window messages
    // return when the target has processed them.
    m_desktop->setSettleTime(ms);
}

bool RoutingWindowSender::armCaptureHotKey()
{
    return m_desktop->armCaptureHotKey();
}

void RoutingWindowSender::disarmCaptureHotKey()
{
    m_desktop->disarmCaptureHotKey();
}

void RoutingWindowSender::desktopCaptured(WId window)
{
    // Called from the event loop (the desktop back end queues its signal), so
    // a message box here and our own signal keep the interface's promise.
    const WineTarget target = m_wineTargetOf ? m_wineTargetOf(window) : WineTarget{};
    if (target.wine) {
        if (const QString missing = m_wine->missing(target); !missing.isEmpty()) {
            // Said once: the desktop's keys may still reach the window.
            tellOnce(missing);
        } else {
            QString why;
            if (const auto handle = m_wine->capture(target, &why)) {
                m_wineHandles.insert(*handle);
                Q_EMIT captureKeyPressed(*handle);
                return;
            }
            showMessage(u"Wine のウィンドウを特定できませんでした。\r\n"_s + why, kCaptureCaption,
                        MsgIcon::Warning);
        }
    }
    m_wineHandles.remove(window);
    Q_EMIT captureKeyPressed(window);
}

void RoutingWindowSender::tellOnce(const QString &text)
{
    if (m_toldMissing)
        return;
    m_toldMissing = true;
    showMessage(text, kCaptureCaption, MsgIcon::Warning);
}

bool RoutingWindowSender::isWineHandle(WId window) const
{
    return m_wineHandles.contains(window);
}

bool RoutingWindowSender::windowExists(WId window)
{
    if (!isWineHandle(window))
        return m_desktop->windowExists(window);
    // Only a window known to be gone is; a bridge that cannot tell says why
    // when the line is sent.
    return m_wine->exists(window).failure != SendFailure::TargetGone;
}

SendOutcome RoutingWindowSender::replaceTextAndEnter(WId target, QByteArrayView cp932Line)
{
    if (!isWineHandle(target))
        return m_desktop->replaceTextAndEnter(target, cp932Line);
    return m_wine->send(target, WineSendMethod::ReplaceText, cp932Line);
}

SendOutcome RoutingWindowSender::typeTextAndEnter(WId target, QByteArrayView cp932Line)
{
    if (!isWineHandle(target))
        return m_desktop->typeTextAndEnter(target, cp932Line);
    return m_wine->send(target, WineSendMethod::TypeText, cp932Line);
}
