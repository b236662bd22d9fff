#include "stbsim/CommandLine.h"
#include "stbsim/StbSimulator.h"
#include "util/Version.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv)
{
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        std::cout << HelpText();
        return 0;
    }
    if (line.version) {
        std::cout << "stbsim " << kProgramVersion << '\n';
        return 0;
    }
    if (!line.error.empty()) {
        std::cerr << "stbsim: " << line.error << "\n(stbsim --help lists the options)\n";
        return 2;
    }
    // Block the stop signals before any thread starts, then wait for one of them here.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    StbSimulator box(line.options);
    for (const FaultRule& rule : line.faults)
        box.SetFault(rule.key, rule.fault);
    if (!box.Start())
        return 1;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    box.Stop();
    return 0;
}
