#include "results/MatrixLayout.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

TEST(MatrixLayout, CellsRunLeftToRightAndClicksFindThem) {
    const MatrixLayout layout(60, 800, 300, 20); // 40 x 40 cells, 3 rows
    EXPECT_EQ(layout.rows(), 3);
    struct Case {
        double x, y;
        int cell;
    };
    for (const Case& c :
         {Case{0, 0, 1}, Case{39.9, 39.9, 1}, Case{40, 0, 2}, Case{799, 0, 20}, Case{0, 40, 21},
          Case{799, 119, 60}, Case{0, 120, 0}, Case{800, 0, 0}, Case{-1, 5, 0}})
        EXPECT_EQ(layout.cellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    const MatrixRect r = layout.cellRect(21);
    EXPECT_DOUBLE_EQ(r.x, 0);
    EXPECT_DOUBLE_EQ(r.y, 40);
    EXPECT_DOUBLE_EQ(layout.cellRect(61).width, 0);
}

TEST(MatrixLayout, ShownCellsFollowLastEntryWithinTheMatrix) {
    struct Case {
        int shown, expectShown, rows, lastClickable;
    };
    for (const Case& c : {Case{45, 45, 3, 45}, Case{250, 250, 13, 250}, Case{400, 250, 13, 250},
                          Case{0, 0, 0, 0}, Case{-5, 0, 0, 0}}) {
        const MatrixLayout layout(c.shown, 800, 520, 20);
        EXPECT_EQ(layout.shown(), c.expectShown);
        EXPECT_EQ(layout.rows(), c.rows);
        int last = 0;
        for (int n = 1; n <= 250; ++n) {
            const MatrixRect r = layout.cellRect(n);
            if (r.width > 0 && layout.cellAt(r.x + r.width / 2, r.y + r.height / 2) == n) last = n;
        }
        EXPECT_EQ(last, c.lastClickable) << c.shown;
    }
}

} // namespace
} // namespace trakmora
