#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/temp_dir.h"
#include "textio/text_writer.h"

namespace brimwell {
namespace {

// The death test forks, so the child writes into the same folder. The program ended in
// the middle of a run keeps every line handed to a target that is
// still open, whichever targets were opened, closed or replaced before.
TEST(end_program_test, lines_of_open_targets_reach_the_disk)
{
    test::TempDir dir;
    const std::string big(300 * 1024, 'b');  // past one write block: partly written already
    EXPECT_EXIT(
        {
            auto first = std::make_unique<TargetFile>(dir.file("first.csv"));
            auto middle = std::make_unique<TargetFile>(dir.file("middle.csv"));
            auto last = std::make_unique<TargetFile>(dir.file("last.csv"));
            first->writeLine("one", kAppend);
            middle->writeLine("gone", kAppend);
            last->writeLine("old", kAppend);
            last->writeLine("new", kReplace);
            last->appendLines(big + "\r\nx\r\n");
            middle.reset();  // closed and out of the list between two open ones
            first->writeLine("two", kAppend);
            TargetFile reopened(dir.file("middle.csv"));
            reopened.writeLine("again", kAppend);
            EndProgramKeepingWrites(3);
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EQ(test::readBytes(dir.file("first.csv")), "one\r\ntwo\r\n");
    EXPECT_EQ(test::readBytes(dir.file("middle.csv")), "gone\r\nagain\r\n");
    EXPECT_TRUE(test::readBytes(dir.file("last.csv")) == "new\r\n" + big + "\r\nx\r\n");
}

}  // namespace
}  // namespace brimwell
