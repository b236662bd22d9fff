#include "util/MessageCatalog.h"

#include <gtest/gtest.h>

// The tests of each failure compare the texts themselves; these are the ends of the table.
TEST(MessageCatalog, FixedIndexesEmptyTextOutsideAndSevenYesNoQuestions)
{
    EXPECT_EQ(GetMessageText(0), "pelon-i");
    EXPECT_EQ(GetMessageText(6), "pelon-twin");
    EXPECT_EQ(GetMessageText(72), "File delete failed!");
    EXPECT_EQ(GetMessageText(-1), "");
    EXPECT_EQ(GetMessageText(73), "");

    int questions = 0;
    for (int i = 0; i < kMessageCount; ++i)
        questions += IsQuestion(static_cast<MsgId>(i)) ? 1 : 0;
    EXPECT_EQ(questions, 7);
    EXPECT_TRUE(IsQuestion(MsgId::ExitProgram));
    EXPECT_TRUE(IsQuestion(MsgId::DeleteDirectoryAndFiles));
    EXPECT_FALSE(IsQuestion(MsgId::OverwriteFile));
}
