#include "conversion/output_path.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/scripted_window.h"

using namespace brimwell;

namespace {

struct TargetCase {
    const char* name;
    std::optional<Control> destination;  ///< Option9, Option10 or neither
    const char* folder;                  ///< the Text1 text
    const char* source;
    const char* expected;
};

const TargetCase kTargetCases[] = {
    {"chosen folder", Control::Option9, "/out", "/in/team.vcf", "/out/team.csv"},
    {"folder ending in a separator", Control::Option9, "/out/", "/in/team.vcf", "/out/team.csv"},
    {"beside the source", Control::Option10, "/out", "/in/team.vcf", "/in/team.csv"},
    {"two extensions", Control::Option10, "", "/in/a.b.vcf", "/in/a.b.csv"},
    {"name that is only an extension", Control::Option9, "/out", "/in/.vcf", "/out/.vcf.csv"},
    {"network path", Control::Option10, "", "//server/share/team.vcf", "//server/share/team.csv"},
    {"no destination", std::nullopt, "/out", "/in/team.vcf", ""},
};

TEST(output_path_test, per_file_target)
{
    for (const TargetCase& row : kTargetCases) {
        test::ScriptedWindow window;
        window.options[Control::Option9] = false;
        window.options[Control::Option10] = false;
        if (row.destination)
            window.select(*row.destination);
        window.texts[Control::Text1] = row.folder;
        EXPECT_EQ(perFileTarget(window, row.source), row.expected) << row.name;
    }
}

}  // namespace
