#include "app/x11/EndSignals.h"

#include <signal.h>

namespace {
volatile sig_atomic_t endRequested = 0;

void OnEndSignal(int) { endRequested = 1; }
}  // namespace

void CatchEndSignals()
{
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: nanosleep returns at once
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

bool EndRequested() { return endRequested != 0; }
