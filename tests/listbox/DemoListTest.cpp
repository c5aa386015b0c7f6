// The demonstration's list box as a person sees it: the main window built from its stored
// design and filled by its Open, the list grabbed and looked at cell by cell.
#include "app/Startup.h"
#include "app/Window1.h"
#include "tests/support/ListBoxAccess.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

using fw::Color;
using fw::Int32;

namespace {

Color At(const QImage& image, Int32 x, Int32 y) {
    return Color(static_cast<std::uint32_t>(image.pixel(x, y)) & 0xFFFFFFu);
}

TEST(DemonstrationList, PaintedAsDesigned) {
    Initialize();
    std::shared_ptr<Window1> window = Window1::Instance();
    ASSERT_NE(window, nullptr);
    TambrelListBox& lb = window->lb1();
    ASSERT_EQ(lb.ListCount(), 250);
    QApplication::processEvents();
    const QImage image = lb.NativeWidget()->grab().toImage();
    image.save(QString(DEMO_LIST_OUTPUT_DIR) + "/demonstration-list.png");

    // The hidden key column takes no room: the list starts with "No.".
    EXPECT_EQ(lb.Column(0).WidthActual(), 0);
    EXPECT_EQ(lb.ColumnFromXY(5, 40), 1);

    auto top = [&](Int32 row) {
        for (Int32 y = 0; y < lb.Height(); ++y) {
            if (lb.RowFromXY(100, y) == row) {
                return y;
            }
        }
        return -1;
    };
    auto left = [&](Int32 column) {
        for (Int32 x = 0; x < lb.Width(); ++x) {
            if (lb.ColumnFromXY(x, top(0) + 2) == column) {
                return x;
            }
        }
        return -1;
    };
    const Int32 row0 = top(0);
    const Int32 row7 = top(7);
    const Int32 height = lb.DefaultRowHeight();
    ASSERT_GE(row0, 0);
    ASSERT_GE(row7, 0);
    ASSERT_GT(height, 13);

    // Rounded frames in the box colour: the middle of a cell's left side, not its corner.
    const Int32 string = left(2);
    EXPECT_EQ(At(image, string + 2, row0 + height / 2), Color(0x7F7F7F));
    EXPECT_EQ(At(image, string + 1, row0 + height / 2), Color(0xFFFFFF));
    EXPECT_EQ(At(image, string + 2, row0 + 2), Color(0xFFFFFF));

    // The drop-down column: an empty cell shows the down arrow at the left, the "Six" of row 7
    // the two side arrows.
    const Int32 drop = left(5);
    ASSERT_GE(drop, 0);
    const Int32 downY = fw::ToInt32((height - 11) / 2.0);
    EXPECT_EQ(At(image, drop + 6 + 5, row0 + downY + 9), Color(0xCCCCCC));
    EXPECT_EQ(At(image, drop + 6 + 5, row0 + downY + 8), Color(0x7F7F7F));
    const Int32 sideY = fw::ToInt32((height - 13) / 2.0);
    EXPECT_EQ(lb.Cell(7, 5), "Six");
    EXPECT_EQ(At(image, drop + 7 + 8, row7 + sideY + 6), Color(0xCCCCCC)); // right tip
    EXPECT_EQ(At(image, drop + 7 + 4, row7 + sideY + 6), Color(0x7F7F7F)); // its inside
    const Int32 dropWidth = lb.Column(5).WidthActual();
    EXPECT_EQ(At(image, drop + dropWidth - 16, row7 + sideY + 6), Color(0xCCCCCC)); // left tip

    // Cell text in the text colour.
    bool textSeen = false;
    for (Int32 y = row0; y < row0 + height && !textSeen; ++y) {
        for (Int32 x = string; x < string + lb.Column(2).WidthActual(); ++x) {
            if (At(image, x, y) == Color(0x004080)) {
                textSeen = true;
                break;
            }
        }
    }
    EXPECT_TRUE(textSeen);
    window->Close();
}

} // namespace
