#include "util/MessageCatalog.h"

#include <gtest/gtest.h>

// The tests of each failure compare the texts themselves; these are the ends of the table.
TEST(MessageCatalog, FixedIndexesAndNoTextOutsideTheTable)
{
    EXPECT_EQ((std::vector{GetMessageText(0), GetMessageText(72), GetMessageText(-1), GetMessageText(73)}),
              (std::vector<std::string>{"pelon-i", "File delete failed!", "", ""}));
}
