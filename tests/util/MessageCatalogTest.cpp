#include "util/MessageCatalog.h"

#include <gtest/gtest.h>

// The tests of each failure compare the texts themselves; these are the ends of the table.
TEST(MessageCatalog, FixedIndexesEmptyTextOutsideAndSevenYesNoQuestions)
{
    EXPECT_EQ((std::vector{GetMessageText(0), GetMessageText(6), GetMessageText(72), GetMessageText(-1),
                           GetMessageText(73)}),
              (std::vector<std::string>{"pelon-i", "pelon-twin", "File delete failed!", "", ""}));
    int questions = 0;
    for (int i = 0; i < kMessageCount; ++i)
        questions += IsQuestion(static_cast<MsgId>(i)) ? 1 : 0;
    EXPECT_EQ(questions, 7);
    EXPECT_TRUE(IsQuestion(MsgId::ExitProgram) && IsQuestion(MsgId::DeleteDirectoryAndFiles));
    EXPECT_FALSE(IsQuestion(MsgId::OverwriteFile));
}
