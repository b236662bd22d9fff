#include "platform/DetachedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <system_error>
#include <thread>

extern char** environ;

namespace {

// posix_spawn keeps the fork-to-exec window free of anything that is unsafe in a
// multi-threaded program; these RAII wrappers only release its attribute objects.
struct SpawnActions {
    posix_spawn_file_actions_t value;
    SpawnActions() { posix_spawn_file_actions_init(&value); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&value); }
};

struct SpawnAttributes {
    posix_spawnattr_t value;
    SpawnAttributes() { posix_spawnattr_init(&value); }
    ~SpawnAttributes() { posix_spawnattr_destroy(&value); }
};

} // namespace

bool StartDetachedProcess(const std::filesystem::path& program,
                          const std::vector<std::string>& arguments)
{
    std::string path = program.string();
    std::vector<char*> argv;
    argv.push_back(path.data());
    std::vector<std::string> copies = arguments;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    SpawnActions actions;
    posix_spawn_file_actions_addopen(&actions.value, 0, "/dev/null", O_RDONLY, 0);

    // The player must not inherit signals the caller blocks or ignores, nor die with the
    // caller's terminal session.
    SpawnAttributes attributes;
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes.value, &none);
    posix_spawnattr_setsigdefault(&attributes.value, &all);
    posix_spawnattr_setflags(&attributes.value,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), &actions.value, &attributes.value, argv.data(), environ) !=
        0)
        return false;
    try {
        std::thread([pid] {
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the child is still running; it stays a zombie only until we end.
    }
    return true;
}
