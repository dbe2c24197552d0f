#include "app/LastWords.h"

#include "platform/ErrorNotifier.h"

#include <QSocketNotifier>

#include <csignal>
#include <cstring>
#include <exception>
#include <typeinfo>

#include <cxxabi.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

std::function<void()> g_rescue;
volatile std::sig_atomic_t g_leaving = 0;
int g_termPipe[2] = {-1, -1};

QString typeName(const std::type_info &type)
{
    int status = 0;
    char *name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    const QString text = status == 0 && name ? QString::fromLatin1(name) : QString::fromLatin1(type.name());
    std::free(name);
    return text;
}

QString signalName(int sig)
{
    const char *description = strsignal(sig);
    return u"signal %1 (%2)"_s.arg(sig).arg(QString::fromLocal8Bit(description ? description : ""));
}

// Ends the program by `sig`'s default action, also from inside its handler
// (where it is blocked until the handler returns).
[[noreturn]] void dieBy(int sig)
{
    std::signal(sig, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(sig);
    _exit(128 + sig); // not reached for the signals handled here
}

// Logs, rescues once and ends the program with `sig`'s own default action.
[[noreturn]] void leaveWith(int sig, const QString &type, const QString &message)
{
    if (!g_leaving) {
        g_leaving = 1;
        logError(ErrorReport{type, currentPlace(1), message, currentCallStack(1)});
        if (g_rescue)
            g_rescue();
    }
    dieBy(sig);
}

void onFatalSignal(int sig)
{
    // A second fault while rescuing ends the program at once.
    if (g_leaving)
        dieBy(sig);
    leaveWith(sig, u"EFatalSignal"_s, u"致命的なエラー（%1）でプログラムを終了します。"_s.arg(signalName(sig)));
}

void onTermination(int sig)
{
    // Only a byte into the pipe here; the event loop does the rest.
    const unsigned char byte = static_cast<unsigned char>(sig);
    if (write(g_termPipe[1], &byte, 1) != 1)
        _exit(128 + sig);
}

void onTerminate()
{
    QString message = u"処理されないエラーでプログラムを終了します。"_s;
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception &e) {
            message += u"\r\n"_s + QString::fromLocal8Bit(e.what());
        } catch (...) {
        }
    }
    leaveWith(SIGABRT, u"ETerminate"_s, message);
}

} // namespace

bool VelmatApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        handleUnhandled(typeName(typeid(e)), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        handleUnhandled(u"unknown"_s, u"不明なエラーが発生しました。"_s);
    }
    return false;
}

void VelmatApplication::handleUnhandled(const QString &type, const QString &message)
{
    // The stack where it was caught: where it was raised is gone by now.
    notifyError(ErrorReport{type, currentPlace(1), message, currentCallStack(1)});
    if (m_sink)
        m_sink(message);
}

void installLastWords(std::function<void()> rescue)
{
    g_rescue = std::move(rescue);
    struct sigaction fatal {};
    fatal.sa_handler = onFatalSignal;
    sigemptyset(&fatal.sa_mask);
    for (const int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(sig, &fatal, nullptr);

    if (g_termPipe[0] < 0 && pipe(g_termPipe) == 0) {
        auto *notifier = new QSocketNotifier(g_termPipe[0], QSocketNotifier::Read, qApp);
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
            unsigned char byte = 0;
            if (read(g_termPipe[0], &byte, 1) != 1)
                return;
            const int sig = byte;
            leaveWith(sig, u"ETerminated"_s, u"%1 を受けてプログラムを終了します。"_s.arg(signalName(sig)));
        });
        struct sigaction term {};
        term.sa_handler = onTermination;
        sigemptyset(&term.sa_mask);
        for (const int sig : {SIGTERM, SIGHUP, SIGINT})
            sigaction(sig, &term, nullptr);
    }
    std::set_terminate(onTerminate);
}
