#include "platform/DetachedProcess.h"

#include "tests/support/TempDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace {

// Zombie children of this process, from /proc.
int ZombieChildren()
{
    int zombies = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
            continue;
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        char state = 0;
        int parent = 0;
        rest >> state >> parent;
        zombies += (parent == getpid() && state == 'Z');
    }
    return zombies;
}

} // namespace

TEST(DetachedProcess, EndedChildIsReapedAndAMissingProgramIsReported)
{
    TempDir dir;
    const auto script = dir / "quick";
    std::ofstream(script) << "#!/bin/sh\ntouch \"$0.ran\"\n";
    chmod(script.c_str(), 0755);
    ASSERT_TRUE(StartDetachedProcess(script, {}));
    int zombies = 1;
    for (int i = 0; i < 1000 && (!std::filesystem::exists(dir / "quick.ran") || zombies > 0); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        zombies = ZombieChildren();
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "quick.ran") && zombies == 0);
    EXPECT_FALSE(StartDetachedProcess(dir / "no-such-program", {}));
}
