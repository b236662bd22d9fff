#include "platform/PrivateFolder.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Sets (or with nullptr unsets) an environment variable for the lifetime of the object.
class EnvScope {
public:
    EnvScope(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvScope() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(PrivateFolder, PrefersTheRuntimeFolderAndLeavesNothingBehind)
{
    TempDir runtime, tmp, outside;
    std::ofstream(outside / "keep") << "x";
    const std::string missing = (tmp / "missing").string();
    struct Case {
        const char* runtime;
        const char* tmpdir;
        const fs::path* parent; // nullptr: no folder can be made
    };
    const Case cases[] = {
        {runtime.path().c_str(), tmp.path().c_str(), &runtime.path()},
        {missing.c_str(), tmp.path().c_str(), &tmp.path()},
        {nullptr, tmp.path().c_str(), &tmp.path()},
        {nullptr, missing.c_str(), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.runtime ? c.runtime : "unset");
        EnvScope xdg("XDG_RUNTIME_DIR", c.runtime);
        EnvScope temp("TMPDIR", c.tmpdir);
        fs::path made;
        {
            PrivateFolder folder;
            made = folder.path();
            if (!c.parent) {
                EXPECT_TRUE(made.empty() && !folder.error().empty());
                continue;
            }
            ASSERT_EQ(made.parent_path(), *c.parent);
            EXPECT_EQ(made.filename().string().rfind("channeltool-", 0), 0u);
            EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all);
            fs::create_directory(made / "sub");
            std::ofstream(made / "sub" / "file") << "x";
            fs::create_directory_symlink(outside.path(), made / "link");
        }
        EXPECT_TRUE(!fs::exists(made) && fs::is_empty(*c.parent));
        EXPECT_TRUE(fs::exists(outside / "keep")); // the link was removed, not followed
    }
}
