#pragma once
// Lets a long wait on a child program end cleanly on SIGINT or SIGTERM. While a
// scope is alive those signals only set a flag that the waiting loop polls, so
// the caller can stop the child and remove its temporary files; when the
// outermost scope ends the signal is raised again with the disposition it had
// before, so the program still ends the way the sender asked. A second signal
// while the first is pending ends the program at once.
#include <csignal>

class InterruptScope {
public:
    InterruptScope();
    ~InterruptScope();
    InterruptScope(const InterruptScope &) = delete;
    InterruptScope &operator=(const InterruptScope &) = delete;

    // True once SIGINT or SIGTERM has arrived inside the scope.
    static bool requested();
};
