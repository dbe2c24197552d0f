#include "platform/InterruptScope.h"

namespace {

volatile std::sig_atomic_t g_pending = 0; // the signal that arrived, 0 for none
int g_depth = 0;                          // scopes alive (they are made on one thread)
struct sigaction g_previousInt;
struct sigaction g_previousTerm;

const struct sigaction &previousFor(int sig)
{
    return sig == SIGINT ? g_previousInt : g_previousTerm;
}

extern "C" void onInterrupt(int sig)
{
    if (g_pending != 0) {
        // Asked twice: stop waiting for the clean-up.
        sigaction(sig, &previousFor(sig), nullptr);
        std::raise(sig);
        return;
    }
    g_pending = sig;
}

} // namespace

InterruptScope::InterruptScope()
{
    if (g_depth++ > 0)
        return;
    g_pending = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &g_previousInt);
    sigaction(SIGTERM, &action, &g_previousTerm);
    // A signal that was ignored before stays ignored.
    if (g_previousInt.sa_handler == SIG_IGN)
        sigaction(SIGINT, &g_previousInt, nullptr);
    if (g_previousTerm.sa_handler == SIG_IGN)
        sigaction(SIGTERM, &g_previousTerm, nullptr);
}

InterruptScope::~InterruptScope()
{
    if (--g_depth > 0)
        return;
    sigaction(SIGINT, &g_previousInt, nullptr);
    sigaction(SIGTERM, &g_previousTerm, nullptr);
    const int sig = g_pending;
    g_pending = 0;
    if (sig != 0)
        std::raise(sig);
}

bool InterruptScope::requested()
{
    return g_pending != 0;
}
