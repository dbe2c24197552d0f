#pragma once
// What the program does when something goes wrong beyond a command: an error
// that reaches the event loop is logged, shown and listed, and the program
// goes on; a fatal signal, a termination request or std::terminate writes a
// log entry and a rescue copy of the roll before the program goes.
#include <QApplication>

#include <functional>

class VelmatApplication : public QApplication {
    Q_OBJECT
public:
    VelmatApplication(int &argc, char **argv) : QApplication(argc, argv) {}

    // Receives the message of each error no command handled (the error window).
    void setUnhandledErrorSink(std::function<void(const QString &message)> sink) { m_sink = std::move(sink); }

    bool notify(QObject *receiver, QEvent *event) override;

    // The handler's part for one error that reached the loop: notify, list.
    void handleUnhandled(const QString &type, const QString &message);

private:
    std::function<void(const QString &)> m_sink;
};

// Installs the handlers for SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT (run
// at once, best effort: the program is already broken), for SIGTERM, SIGHUP
// and SIGINT (run from the event loop, where the roll is whole) and for
// std::terminate. Each logs the cause and calls `rescue` once, then the
// program ends as the signal would have ended it.
void installLastWords(std::function<void()> rescue);
