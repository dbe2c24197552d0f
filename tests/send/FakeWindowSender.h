#pragma once
// A WindowSender that records what the main window asks of it.
#include "platform/WindowSender.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <utility>

class FakeWindowSender : public WindowSender {
public:
    struct Delivery {
        QString method; // "replace" or "type"
        WId target = 0;
        QByteArray cp932;
        bool operator==(const Delivery &) const = default;
    };

    bool hotKeyFree = true;  // false: another program holds F2
    bool armed = false;
    QSet<WId> windows;       // the windows that exist
    // What a delivery to an existing window ends in (None: it arrives).
    SendFailure failure = SendFailure::None;
    // Keys the user presses while the next line is on its way.
    QList<int> keysDuringNextSend;
    QList<Delivery> deliveries;
    int settleMs = 0;

    bool armCaptureHotKey() override
    {
        if (!hotKeyFree || armed)
            return false;
        armed = true;
        return true;
    }
    void disarmCaptureHotKey() override { armed = false; }
    bool windowExists(WId window) override { return windows.contains(window); }
    SendOutcome replaceTextAndEnter(WId target, QByteArrayView line) override
    {
        return deliver(QStringLiteral("replace"), target, line);
    }
    SendOutcome typeTextAndEnter(WId target, QByteArrayView line) override
    {
        return deliver(QStringLiteral("type"), target, line);
    }
    SendOutcome deliver(const QString &method, WId target, QByteArrayView line)
    {
        for (const int key : std::exchange(keysDuringNextSend, {})) {
            QMetaObject::invokeMethod(
                this, [this, key] { Q_EMIT keyPressedDuringSend(key); }, Qt::QueuedConnection);
        }
        if (!windows.contains(target))
            return SendOutcome::failed(SendFailure::TargetGone);
        if (failure != SendFailure::None)
            return SendOutcome::failed(failure);
        deliveries.append({method, target, line.toByteArray()});
        return SendOutcome::ok();
    }
    void setSettleTime(int ms) override { settleMs = ms; }
    // The user presses F2 over `window`.
    void pressF2(WId window)
    {
        if (!armed)
            return;
        armed = false;
        Q_EMIT captureKeyPressed(window);
    }
};
