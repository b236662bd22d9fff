#include "stbsim/ShellWords.h"

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

TEST(ShellWords, SplitsAtBlanksAndReadsQuotesLikeAShell)
{
    EXPECT_EQ(SplitShellWords("df /dev/sda1"), (Words{"df", "/dev/sda1"}));
    EXPECT_EQ(SplitShellWords("  rm\t-rf   \"/mnt/link_to_pc/My Folder\"  "),
              (Words{"rm", "-rf", "/mnt/link_to_pc/My Folder"}));
    EXPECT_EQ(SplitShellWords("mkdir 'a \"b\" $c'"), (Words{"mkdir", "a \"b\" $c"}));
    EXPECT_EQ(SplitShellWords("mkdir a\\ b"), (Words{"mkdir", "a b"}));
    EXPECT_EQ(SplitShellWords("mkdir \"\""), (Words{"mkdir", ""}));
    EXPECT_EQ(SplitShellWords("mkdir x\"y z\"'w'"), (Words{"mkdir", "xy zw"}));
    EXPECT_EQ(SplitShellWords("a\\\nb"), (Words{"ab"}));
    EXPECT_EQ(SplitShellWords(""), Words{});
    // Characters that are special only at the start of a word stay literal elsewhere.
    EXPECT_EQ(SplitShellWords("mkdir a#b~c"), (Words{"mkdir", "a#b~c"}));
}

TEST(ShellWords, InsideDoubleQuotesABackslashEscapesOnlyFiveCharacters)
{
    EXPECT_EQ(SplitShellWords(R"(mkdir "a\"b\\c\$d\`e")"), (Words{"mkdir", "a\"b\\c$d`e"}));
    // Before any other character the backslash stays.
    EXPECT_EQ(SplitShellWords(R"(mkdir "a\nb\'c")"), (Words{"mkdir", "a\\nb\\'c"}));
    EXPECT_EQ(SplitShellWords("mkdir \"a\\\nb\""), (Words{"mkdir", "ab"}));
    EXPECT_EQ(SplitShellWords("mkdir \"a\nb\""), (Words{"mkdir", "a\nb"}));
}

TEST(ShellWords, RefusesWhatAShellWouldExpandRedirectOrRunSeparately)
{
    for (const char* line :
         {"mkdir \"$(reboot)\"", "mkdir \"`reboot`\"", "mkdir $HOME", "mkdir `x`",
          "rm -rf x; reboot", "rm -rf x | cat", "rm x && y", "df > out", "df < in", "mkdir (x)",
          "rm *", "rm ?", "rm [ab]", "mkdir ~/x", "# comment", "df\nreboot", "mkdir \"open",
          "mkdir 'open", "mkdir x\\"})
        EXPECT_FALSE(SplitShellWords(line)) << line;
}
