// The file list's column: 7100 twips at the start, as wide as the list when that is wider.
#include <QHeaderView>

#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using list_column_test = WindowTest;

constexpr int kStartWidth = 7100 / 15;

TEST_F(list_column_test, the_column_fills_a_wide_list_and_keeps_its_width_in_a_narrow_one)
{
    start();
    QHeaderView& header = *list().header();
    for (int width : {1600, 1000, 640, 1200}) {
        window->resize(width, 620);
        QCoreApplication::processEvents();
        const int visible = list().viewport()->width();
        SCOPED_TRACE(visible);
        EXPECT_EQ(header.sectionSize(0), std::max(kStartWidth, visible));
    }
    window->resize(640, 620);
    QCoreApplication::processEvents();
    ASSERT_LT(list().viewport()->width(), kStartWidth);  // the narrow case was met

    // Once the user drags the column's edge, the width stays the user's.
    header.resizeSection(0, 900);
    window->resize(1400, 620);
    QCoreApplication::processEvents();
    EXPECT_EQ(header.sectionSize(0), 900);
}

}  // namespace
}  // namespace brimwell::test
