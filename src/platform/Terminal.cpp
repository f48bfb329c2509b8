#include "platform/Terminal.h"

#include <unistd.h>
#include <csignal>

namespace verdal {
namespace {

std::atomic<bool>* gFirst = nullptr;
std::atomic<bool>* gSecond = nullptr;

extern "C" void OnSignal(int signal)
{
    if (gFirst && gFirst->load()) {
        // Asked twice: the user wants out now.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    if (gFirst) {
        gFirst->store(true);
    }
    if (gSecond) {
        gSecond->store(true);
    }
}

}  // namespace

bool StderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

void SetFlagsOnInterrupt(std::atomic<bool>* first, std::atomic<bool>* second)
{
    gFirst = first;
    gSecond = second;
    struct sigaction action
    {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace verdal
