#include "conversion/header_list.h"

#include <gtest/gtest.h>

#include <string>

namespace brimwell {
namespace {

// The list remembers where the names it was asked for lived; whatever lives at such an
// address later, and whatever was dropped from the list, it answers by the text alone.
TEST(header_list_test, finds_by_text_wherever_the_name_lives)
{
    HeaderList headers;
    for (const char* name : {"Display Name", "Email Address", "Email Address 2", "Notes"})
        headers.add(name);
    headers.add("Notes");  // listed already
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

}  // namespace
}  // namespace brimwell
