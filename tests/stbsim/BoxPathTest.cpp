#include "stbsim/BoxPath.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

TEST(BoxPath, TakesPathsBelowTheMountPointApart)
{
    EXPECT_TRUE(BoxPath::Parse("/mnt/link_to_pc")->isRoot());
    EXPECT_TRUE(BoxPath::Parse("/mnt/link_to_pc/")->isRoot());
    EXPECT_EQ(BoxPath::Parse("/mnt/link_to_pc/Movies/Short clips")->names,
              (Names{"Movies", "Short clips"}));
    EXPECT_EQ(BoxPath::Parse("/mnt/link_to_pc//a/./b/")->names, (Names{"a", "b"}));
    EXPECT_EQ(BoxPath::Parse("/mnt/link_to_pc/Caf\xC3\xA9 ...x")->names,
              (Names{"Caf\xC3\xA9 ...x"}));
    EXPECT_EQ(BoxPath::Parse("/mnt/link_to_pc//a/./b/")->text(), "/mnt/link_to_pc/a/b");
}

TEST(BoxPath, RefusesEverythingThatCouldNameAPlaceOutsideThePartition)
{
    for (const char* text :
         {"/mnt/link_to_pc/..", "/mnt/link_to_pc/a/../../etc", "/mnt/link_to_pc/../x",
          "/etc/passwd", "", "mnt/link_to_pc", "/mnt/link_to_pcX", "/mnt/link_to_pc\\..",
          "/mnt/link_to_pc/a\nb", "/mnt/link_to_pc/a\x7f"})
        EXPECT_FALSE(BoxPath::Parse(text)) << text;
    EXPECT_FALSE(BoxPath::Parse(std::string("/mnt/link_to_pc/a\0b", 19)));
    EXPECT_FALSE(BoxPath::Parse("/mnt/link_to_pc/" + std::string(256, 'x')));
}

TEST(BoxPath, FoldersOnTheWayMustBeRealFoldersNotLinks)
{
    TempDir dir;
    const auto root = dir / "root";
    std::filesystem::create_directories(root / "real/inner");
    std::filesystem::create_directories(dir / "outside");
    std::filesystem::create_directory_symlink(dir / "outside", root / "link");
    std::filesystem::create_directory_symlink("real", root / "inside");

    EXPECT_TRUE(BoxPath::Parse("/mnt/link_to_pc/real/inner/file")->ParentsAreFolders(root));
    EXPECT_TRUE(
        BoxPath::Parse("/mnt/link_to_pc/link")->ParentsAreFolders(root)); // the last name itself
    EXPECT_FALSE(BoxPath::Parse("/mnt/link_to_pc/link/secret")->ParentsAreFolders(root));
    EXPECT_FALSE(BoxPath::Parse("/mnt/link_to_pc/inside/inner/x")->ParentsAreFolders(root));
    EXPECT_FALSE(BoxPath::Parse("/mnt/link_to_pc/missing/x")->ParentsAreFolders(root));
}
