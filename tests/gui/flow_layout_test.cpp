// The flow layout of the list's buttons.
#include "gui/flow_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "window_test_fixture.h"

namespace brimwell::test {
namespace {

using flow_layout_test = WindowTest;

TEST_F(flow_layout_test, flow_layout_items_wrap_to_the_width_and_the_last_keeps_right)
{
    constexpr QSize kItem(100, 30);
    const std::tuple<int, int, int> cases[] = {// width, rows, height
                                               {430, 1, 30},
                                               {429, 2, 70},
                                               {150, 4, 150}};
    for (const auto& [width, rows, height] : cases) {
        SCOPED_TRACE(width);
        QWidget host;
        auto* layout = new FlowLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(10);
        std::vector<QWidget*> items;
        for (int index = 0; index < 4; ++index) {
            items.push_back(new QWidget(&host));
            items.back()->setFixedSize(kItem);
            layout->addWidget(items.back());
        }
        layout->setRightAlignedFrom(3);
        EXPECT_EQ(layout->heightForWidth(width), height);
        layout->setGeometry(QRect(0, 0, width, height));
        std::set<int> tops;
        for (std::size_t index = 0; index < items.size(); ++index) {
            const QRect place = items[index]->geometry();
            EXPECT_EQ(place.size(), kItem);
            EXPECT_TRUE(QRect(0, 0, width, height).contains(place)) << index;
            for (std::size_t other = 0; other < index; ++other)
                EXPECT_FALSE(place.intersects(items[other]->geometry())) << index;
            tops.insert(place.top());
        }
        EXPECT_EQ(int(tops.size()), rows);
        EXPECT_EQ(items.back()->geometry().right(), width - 1);
        EXPECT_EQ(items.front()->geometry().topLeft(), QPoint(0, 0));
    }
}

}  // namespace
}  // namespace brimwell::test
