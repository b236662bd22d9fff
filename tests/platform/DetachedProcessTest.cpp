#include "platform/DetachedProcess.h"
#include "platform/FindProgram.h"

#include "tests/support/TempDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace {

void WriteExecutable(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path) << text;
    chmod(path.c_str(), 0755);
}

std::string WaitForFile(const std::filesystem::path& path)
{
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

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

TEST(DetachedProcess, PassesArgumentsUnchangedAndLeavesNoZombie)
{
    TempDir dir;
    const auto script = dir / "record";
    WriteExecutable(script, "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > \"$0.args.tmp\"\n"
                            "mv \"$0.args.tmp\" \"$0.args\"\n");
    ASSERT_TRUE(StartDetachedProcess(script, {"--verbose", "two words", "a\"b", ""}));
    EXPECT_EQ(WaitForFile(dir / "record.args"), "[--verbose]\n[two words]\n[a\"b]\n[]\n");
    int zombies = 1;
    for (int i = 0; i < 200 && (zombies = ZombieChildren()) > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(zombies, 0);
}

TEST(DetachedProcess, MissingProgramIsReported)
{
    TempDir dir;
    EXPECT_FALSE(StartDetachedProcess(dir / "no-such-program", {}));
}

TEST(FindProgram, TakesTheFirstExecutableOnPathAndSkipsEmptyEntries)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    std::ofstream(dir / "a" / "tool") << "not executable";
    WriteExecutable(dir / "b" / "tool", "#!/bin/sh\n");
    const std::string saved = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", ("::" + (dir / "a").string() + ":" + (dir / "b").string()).c_str(), 1);
    const auto found = FindProgramOnPath("tool");
    const auto missing = FindProgramOnPath("other");
    const auto savedFolder = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    WriteExecutable(dir / "other", "#!/bin/sh\n"); // in the current folder: not taken
    const auto fromCurrent = FindProgramOnPath("other");
    std::filesystem::current_path(savedFolder);
    setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, dir / "b" / "tool");
    EXPECT_FALSE(missing);
    EXPECT_FALSE(fromCurrent);
}
