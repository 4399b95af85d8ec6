// The window title, cut at words to forty characters.
#include "base/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace brimwell {
namespace {

TEST(messages_test, title_drops_last_words_down_to_forty_characters)
{
    EXPECT_EQ(SetApplicationTitle("Brimwell"), "Brimwell");
    EXPECT_EQ(SetApplicationTitle("Brimwell Contact Converter"), "Brimwell Contact");
    EXPECT_EQ(SetApplicationTitle(std::string(36, 'x') + " abcd z"),
              std::string(36, 'x'));  // 41 still too long
    EXPECT_EQ(SetApplicationTitle(std::string(45, 'x') + " y"), std::string(45, 'x'));
}

}  // namespace
}  // namespace brimwell
