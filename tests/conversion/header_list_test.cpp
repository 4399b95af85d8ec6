// The column list: names found by their text, wherever it lives, and compared exactly.
#include "conversion/header_list.h"

#include <gtest/gtest.h>

#include <string>

namespace brimwell {
namespace {

TEST(header_list_test, finds_by_text_wherever_the_name_lives)
{
    HeaderList headers;
    for (const char* name : {"Display Name", "Email Address", "Email Address 2", "Notes", "Notes"})
        headers.add(name);
    EXPECT_EQ(headers.size(), 4u);
    std::string asked = "Email Address 2";
    EXPECT_EQ(headers.find(asked), 2);
    asked = "Email Address";  // same storage, another name
    EXPECT_EQ(headers.find(asked), 1);
    asked = "Email Address 3";
    EXPECT_EQ(headers.find(asked), -1);
    EXPECT_EQ(headers.find(std::string("Notes")), 3);  // another address, the same name

    std::string kept = "Notes";
    EXPECT_EQ(headers.find(kept), 3);
    headers.truncate(2);  // "Email Address 2" and "Notes" dropped
    EXPECT_EQ(headers.find(kept), -1);
    EXPECT_EQ(headers.find("Email Address 2"), -1);
    headers.add("Notes");
    EXPECT_EQ(headers.find(kept), 2);
    EXPECT_EQ(isHeaderExists("display name", headers), -1);  // letter case counts
    EXPECT_EQ(isHeaderExists("Display Name", headers), 0);
    EXPECT_EQ(isHeaderExists("x", HeaderList()), -1);
}

// Column names are compared eight characters at a time: a difference in any place, on
// either side of a multiple of eight, counts.
TEST(header_list_test, column_names_compare_exactly)
{
    for (const std::size_t length : {0, 1, 7, 8, 9, 15, 16, 17, 24, 25}) {
        const std::string name(length, 'a');
        EXPECT_TRUE(HeaderList::sameText(name, std::string(length, 'a')));
        EXPECT_FALSE(HeaderList::sameText(name, name + "a"));
        for (std::size_t at = 0; at < length; ++at) {
            std::string other = name;
            other[at] = 'b';
            EXPECT_FALSE(HeaderList::sameText(name, other)) << length << " at " << at;
        }
    }
}

}  // namespace
}  // namespace brimwell
