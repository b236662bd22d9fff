#include "util/MessageCatalog.h"

#include <gtest/gtest.h>

TEST(MessageCatalog, KeepsItsFixedIndexes)
{
    EXPECT_EQ(GetMessageText(0), "pelon-i");
    EXPECT_EQ(GetMessageText(6), "pelon-twin");
    EXPECT_EQ(GetMessageText(7), "No channel name!");
    EXPECT_EQ(GetMessageText(MsgId::ConnectionFailed), "Connection failed!");
    EXPECT_EQ(GetMessageText(MsgId::VersionNotMatching), "Version not matching!");
    EXPECT_EQ(GetMessageText(MsgId::UpdateStb), "Update STB");
    EXPECT_EQ(GetMessageText(MsgId::OverwriteFile), "Overwrite file?");
    EXPECT_EQ(GetMessageText(72), "File delete failed!");
}

TEST(MessageCatalog, OutOfRangeIndexGivesEmptyText)
{
    EXPECT_EQ(GetMessageText(-1), "");
    EXPECT_EQ(GetMessageText(73), "");
}

TEST(MessageCatalog, OnlyTheSevenQuestionsHaveYesNo)
{
    int questions = 0;
    for (int i = 0; i < kMessageCount; ++i)
        questions += IsQuestion(static_cast<MsgId>(i)) ? 1 : 0;
    EXPECT_EQ(questions, 7);
    EXPECT_TRUE(IsQuestion(MsgId::ExitProgram));
    EXPECT_TRUE(IsQuestion(MsgId::DeleteDirectoryAndFiles));
    EXPECT_FALSE(IsQuestion(MsgId::OverwriteFile));
}
