// The control painted by the real list widget, read back from a grabbed image.
#include "framework/core/Date.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Picture.h"
#include "framework/ui/Window.h"
#include "tests/support/ListBoxAccess.h"

#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using fw::Color;
using fw::Int32;

namespace {

class HostWindow : public fw::Window {
public:
    std::function<void(TambrelListBox&)> design;
    std::function<void(TambrelListBox&)> open;

    void CreateControls() override {
        auto& lb = static_cast<TambrelListBox&>(_AddControl("lb1", __New<TambrelListBox>()));
        design(lb);
    }
    void Event_Open() override { open(ControlAs<TambrelListBox>("lb1")); }
};

Color At(const QImage& image, Int32 x, Int32 y) {
    return Color(static_cast<std::uint32_t>(image.pixel(x, y)) & 0xFFFFFFu);
}

// The widget painted at a device pixel ratio, as a screen with that scale factor shows it.
QImage RenderAt(QWidget* widget, int ratio) {
    QImage image(widget->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    widget->render(&image);
    return image;
}

// The device pixels of cell (row, column), found through the list's own hit testing.
QRect CellPixels(const TambrelListBox& lb, Int32 row, Int32 column, int ratio) {
    QRect cell;
    for (Int32 y = 0; y < lb.Height(); ++y) {
        for (Int32 x = 0; x < lb.Width(); ++x) {
            if (lb.RowFromXY(x, y) == row && lb.ColumnFromXY(x, y) == column) {
                cell |= QRect(x, y, 1, 1);
            }
        }
    }
    return QRect(cell.topLeft() * ratio, cell.size() * ratio);
}

// The bounding box of the pixels of one colour inside area.
QRect PixelsOf(const QImage& image, const QRect& area, Color colour) {
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (At(image, x, y) == colour) {
                found |= QRect(x, y, 1, 1);
            }
        }
    }
    return found;
}

struct ListWidget : ::testing::Test {
    std::shared_ptr<HostWindow> window = std::make_shared<HostWindow>();
    const Color even{0xDDEEDD};
    const Color odd{0xEEDDEE};
    const Color highlight{0x8000FF};
    const Color text{0x004080};

    void TearDown() override { window->Close(); }

    // A 280 x 180 list in its own window, framed in blue by the given table type, with the
    // given column kinds and widths, filled by `fill`.
    std::shared_ptr<HostWindow> FramedHost(Int32 tableType, const std::string& types,
                                           const std::string& widths,
                                           std::function<void(TambrelListBox&)> fill,
                                           const std::string& alignment = "") {
        auto host = std::make_shared<HostWindow>();
        host->Width(300);
        host->Height(200);
        host->design = [=, this](TambrelListBox& lb) {
            lb.Width(280);
            lb.Height(180);
            lb.ColumnCount(static_cast<Int32>(std::count(types.begin(), types.end(), ',') + 1));
            lb.ColumnTypes = types;
            if (!alignment.empty()) {
                lb.ColAlignment = alignment;
            }
            lb.ColumnWidths(widths);
            lb.AlternateColor = even;
            lb.BackColor = odd;
            lb.BoxColor = kFrame;
            lb.TextColor = text;
            lb.TableType = tableType;
        };
        host->open = std::move(fill);
        host->Constructor();
        return host;
    }
    static constexpr fw::Color kFrame{0x0000FF};

    TambrelListBox& Build() {
        window->Width(400);
        window->Height(300);
        window->design = [this](TambrelListBox& lb) {
            lb.Left(10);
            lb.Top(10);
            lb.Width(300);
            lb.Height(240);
            lb.ColumnCount(3);
            lb.ColumnTypes = "s,d,s";
            lb.ColAlignment = "l,c,r";
            lb.InitialValue("One,Two,Three");
            lb.AlternateColor = even;
            lb.BackColor = odd;
            lb.HighlightColor = highlight;
            lb.TextColor = text;
            lb.TableType = 2;
            lb.DefaultRowHeight(24);
        };
        window->open = [](TambrelListBox& lb) {
            for (int i = 0; i < 3; ++i) {
                lb.NewRow();
                lb.SetValue(0, "Row " + std::to_string(i));
                lb.SetValue(2, "Right");
            }
        };
        window->Constructor();
        return window->ControlAs<TambrelListBox>("lb1");
    }

    // The first y inside the list where row 0 begins, at x.
    static Int32 FirstRowY(const TambrelListBox& lb, Int32 x) {
        for (Int32 y = 0; y < lb.Height(); ++y) {
            if (lb.RowFromXY(x, y) == 0) {
                return y;
            }
        }
        return -1;
    }
};

TEST_F(ListWidget, StripesSelectionAndTextInTheGrabbedList) {
    TambrelListBox& lb = Build();
    lb.Selected(1, true);
    QWidget* widget = lb.NativeWidget();
    ASSERT_NE(widget, nullptr);
    const QImage image = widget->grab().toImage();
    ASSERT_EQ(image.width(), 300);

    const Int32 x = 150; // inside column 1, away from its arrows
    const Int32 top = FirstRowY(lb, x);
    ASSERT_GE(top, 0);
    const Int32 rowHeight = lb.DefaultRowHeight();
    // The rows and the empty area below them continue the stripes.
    for (Int32 k = 0; top + k * rowHeight + rowHeight <= image.height() - 4 && k < 8; ++k) {
        const Int32 y = top + k * rowHeight + 1; // above the frame at 2
        const Color want = k == 1 ? highlight : (k % 2 == 0 ? even : odd);
        EXPECT_EQ(At(image, x, y), want) << "row position " << k;
    }
    // Square frames in the rows only, inverted on the selected row.
    const Int32 columnLeft = [&] {
        for (Int32 px = 0; px < 300; ++px) {
            if (lb.ColumnFromXY(px, top + 5) == 1) {
                return px;
            }
        }
        return -1;
    }();
    ASSERT_GE(columnLeft, 0);
    EXPECT_EQ(At(image, columnLeft + 2, top + 12), Color(0x000000));
    EXPECT_EQ(At(image, columnLeft + 2, top + rowHeight + 12), Color(0xFFFFFF));
    EXPECT_EQ(At(image, columnLeft + 2, top + 4 * rowHeight + 12), even);

    // Text in the text colour, inverted on the selected row.
    auto hasColour = [&](Int32 row, Color colour) {
        for (Int32 y = top + row * rowHeight; y < top + (row + 1) * rowHeight; ++y) {
            for (Int32 px = 0; px < columnLeft; ++px) {
                if (At(image, px, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(hasColour(0, text));
    EXPECT_TRUE(hasColour(1, Color(0xFFBF7F)));
    EXPECT_FALSE(hasColour(1, text));
}

TEST_F(ListWidget, EmptyDropDownCellsShowTheDownArrowOnTheirSide) {
    TambrelListBox& lb = Build();
    const QImage image = lb.NativeWidget()->grab().toImage();
    const Int32 top = FirstRowY(lb, 150);
    Int32 columnLeft = -1;
    for (Int32 px = 0; px < 300 && columnLeft < 0; ++px) {
        if (lb.ColumnFromXY(px, top + 5) == 1) {
            columnLeft = px;
        }
    }
    ASSERT_GE(columnLeft, 0);
    // Row height 24: the down arrow stands at x 6, y (24 - 11) / 2 = 6.5, rounded to 7; its
    // tip (row 9, x 5) is light and the pixel above it dark.
    EXPECT_EQ(At(image, columnLeft + 6 + 5, top + 7 + 9), Color(0xCCCCCC));
    EXPECT_EQ(At(image, columnLeft + 6 + 5, top + 7 + 8), Color(0x7F7F7F));
    EXPECT_EQ(At(image, columnLeft + 6 + 5, top + 7 + 10), even);
}

// Font sizes far beyond any screen: the rows keep a positive height that the text fits in,
// and the list measures, paints and scrolls (the sanitizer build checks the arithmetic).
TEST(HugeFonts, MeasurePaintAndScroll) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double size : {2e4, 1e6, 1e12, inf}) {
        auto window = std::make_shared<HostWindow>();
        window->Width(400);
        window->Height(300);
        window->design = [size](TambrelListBox& lb) {
            lb.Width(380);
            lb.Height(280);
            lb.HasHeading(true);
            lb.ColumnCount(5);
            lb.ColumnTypes = "s,b,d,p,c";
            lb.ColAlignment = "l,c,c,c,d2";
            lb.InitialValue("One,Two,Three,Four,Five");
            lb.TableType = 1;
            lb.TextSize(size);
        };
        window->open = [](TambrelListBox& lb) {
            for (int i = 0; i < 4; ++i) {
                lb.NewRow();
                lb.SetValue(0, "Row " + std::to_string(i));
                lb.SetValue(1, "Bye!");
                lb.SetValue(2, i % 2 == 0 ? "" : "Six");
                lb.SetPBMaxValue(i, 3, 10.0);
                lb.SetValue(3, 4.0);
                lb.SetValue(4, 1234.5);
            }
            lb.ResizeColumns();
        };
        window->Constructor();
        auto& lb = window->ControlAs<TambrelListBox>("lb1");
        fw::Picture p(20, 20, 32);
        p.Graphics().TextSize(size);
        const Int32 textHeight = p.Graphics().TextHeight();
        EXPECT_GT(textHeight, 0) << size;
        EXPECT_EQ(lb.DefaultRowHeight(), textHeight + 12 + 4) << size;
        for (Int32 c = 0; c < 5; ++c) {
            EXPECT_GT(lb.Column(c).WidthActual(), 0) << size << " column " << c;
        }
        QWidget* view = lb.NativeWidget();
        EXPECT_FALSE(view->grab().toImage().isNull());
        lb.HasHeading(false); // taller than the list, it would cover every row
        QTest::keyClick(view, Qt::Key_End);
        QTest::keyClick(view, Qt::Key_PageUp);
        lb.ScrollPosition(3);
        EXPECT_EQ(lb.ScrollPosition(), 3) << size; // each row fills the list
        EXPECT_EQ(lb.RowFromXY(100, lb.Height() - 20), 3) << size;
        EXPECT_FALSE(view->grab().toImage().isNull());
        window->Close();
    }
}

// The framework's check box stands inside the control's cell frame with clear space on every
// side, centred between the frame's top and bottom lines, at scale factors 1 and 2.
TEST_F(ListWidget, CheckBoxesLieInsideTheCellFrames) {
    const Color frame = kFrame;
    for (Int32 tableType : {1, 2}) {
        auto host = FramedHost(tableType, "s,b", "100,*", [](TambrelListBox& lb) {
            for (int i = 0; i < 2; ++i) {
                lb.NewRow();
                lb.SetValue(0, "Row");
                lb.SetValue(1, "Bye!");
            }
            lb.CellCheck(1, 1, true);
        });
        auto& lb = host->ControlAs<TambrelListBox>("lb1");
        const QColor dark = lb.NativeWidget()->palette().color(QPalette::Dark);
        const Color boxEdge = fw::RGB(dark.red(), dark.green(), dark.blue());
        for (int ratio : {1, 2}) {
            const QImage image = RenderAt(lb.NativeWidget(), ratio);
            for (Int32 row : {0, 1}) {
                const Color stripe = row == 0 ? even : odd;
                const QRect cell = CellPixels(lb, row, 1, ratio);
                ASSERT_FALSE(cell.isEmpty());
                const QRect box = PixelsOf(image, cell, boxEdge);
                const std::string where = "table type " + std::to_string(tableType) + ", ratio " +
                                          std::to_string(ratio) + ", row " + std::to_string(row);
                ASSERT_EQ(box.size(), QSize(12, 12) * ratio) << where;
                // The frame's lines, one pixel wide, 2 pixels in from the cell's edges.
                const int cx = box.center().x();
                const int cy = box.center().y();
                const int left = cell.left() + 2 * ratio;     // its first pixel
                const int top = cell.top() + 2 * ratio;       // its first pixel
                const int bottom = cell.bottom() - 2 * ratio; // its last pixel
                for (int k = 0; k < ratio; ++k) {
                    EXPECT_EQ(At(image, left + k, cy), frame) << where;
                    EXPECT_EQ(At(image, cx, top + k), frame) << where;
                    EXPECT_EQ(At(image, cx, bottom - k), frame) << where;
                }
                // Clear space: the stripe alone between the frame's lines and the box.
                const int inLeft = left + ratio;
                const int inTop = top + ratio;
                const int inBottom = bottom - ratio;
                EXPECT_GE(box.left() - inLeft, 2 * ratio) << where;
                for (int y = box.top(); y <= box.bottom(); ++y) {
                    for (int x = inLeft; x < box.left(); ++x) {
                        ASSERT_EQ(At(image, x, y), stripe) << where << " at " << x << ", " << y;
                    }
                }
                for (int y = inTop; y <= inBottom; ++y) {
                    if (y < box.top() || y > box.bottom()) {
                        ASSERT_EQ(At(image, cx, y), stripe) << where << " at " << cx << ", " << y;
                    }
                }
                const int above = box.top() - inTop;
                const int below = inBottom - box.bottom();
                EXPECT_GE(std::min(above, below), 2 * ratio) << where;
                EXPECT_LE(std::abs(above - below), ratio) << where;
            }
        }
        host->Close();
    }
}

// The in-place editor of a date-time cell, whose editing text is wider than the cell, stays
// inside the cell's frame, and the frame stays in sight around it, at scale factors 1 and 2.
TEST_F(ListWidget, DateTimeEditorStaysInsideTheCellFrame) {
    const Color frame = kFrame;
    for (Int32 tableType : {1, 2}) {
        auto host = FramedHost(tableType, "s,ae,s", "60,90,*", [](TambrelListBox& lb) {
            for (int i = 0; i < 2; ++i) {
                lb.NewRow();
                lb.SetValue(0, "Row");
                lb.SetValue(1, fw::Variant(std::make_shared<fw::Date>(2011, 5, 15, 14, 30, 0)));
            }
        });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host->NativeWidget()));
        auto& lb = host->ControlAs<TambrelListBox>("lb1");
        QWidget* view = lb.NativeWidget();
        const QRect cell = CellPixels(lb, 1, 1, 1);
        ASSERT_FALSE(cell.isEmpty());
        QWidget* target = view->childAt(cell.center());
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                          target->mapFrom(view, cell.center()));
        QLineEdit* editor = nullptr;
        for (QLineEdit* edit : view->findChildren<QLineEdit*>()) {
            editor = edit->isVisible() ? edit : editor;
        }
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), "2011-05-15 14:30:00");
        EXPECT_GT(editor->fontMetrics().horizontalAdvance(editor->text()), cell.width());
        const QRect edit(editor->mapTo(view, QPoint(0, 0)), editor->size());
        EXPECT_TRUE(cell.adjusted(3, 3, -3, -3).contains(edit))
            << edit.x() << "," << edit.y() << " " << edit.width() << "x" << edit.height();
        EXPECT_GE(edit.height(), editor->fontMetrics().height());

        for (int ratio : {1, 2}) {
            const QImage image = RenderAt(view, ratio);
            const QRect px(cell.topLeft() * ratio, cell.size() * ratio);
            const int cx = px.center().x();
            const int cy = px.center().y();
            const std::string where =
                "table type " + std::to_string(tableType) + ", ratio " + std::to_string(ratio);
            for (int k = 0; k < ratio; ++k) {
                EXPECT_EQ(At(image, px.left() + 2 * ratio + k, cy), frame) << where;
                EXPECT_EQ(At(image, px.right() - 2 * ratio - k, cy), frame) << where;
                EXPECT_EQ(At(image, cx, px.top() + 2 * ratio + k), frame) << where;
                EXPECT_EQ(At(image, cx, px.bottom() - 2 * ratio - k), frame) << where;
            }
        }
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(lb.Cell(1, 1), lb.Cell(0, 1));
        host->Close();
    }
}

// Decimal-aligned amounts too wide for their column, drawn by the framework, stay inside the
// cell's frame: its lines and the stripe around them are untouched, at scale factors 1 and 2.
TEST_F(ListWidget, WideDecimalTextStaysInsideTheCellFrame) {
    const Color frame = kFrame;
    for (Int32 tableType : {1, 2}) {
        auto host = FramedHost(
            tableType, "s,c,s", "60,80,*",
            [](TambrelListBox& lb) {
                for (double amount : {123456789012.5, -123456789012.5, 1.25}) {
                    lb.NewRow();
                    lb.SetValue(0, "Row");
                    lb.SetValue(1, amount);
                }
            },
            "l,d3,l");
        auto& lb = host->ControlAs<TambrelListBox>("lb1");
        for (int ratio : {1, 2}) {
            const QImage image = RenderAt(lb.NativeWidget(), ratio);
            for (Int32 row : {0, 1, 2}) {
                const Color stripe = row % 2 == 0 ? even : odd;
                const QRect cell = CellPixels(lb, row, 1, ratio);
                const std::string where = "table type " + std::to_string(tableType) + ", ratio " +
                                          std::to_string(ratio) + ", row " + std::to_string(row);
                ASSERT_FALSE(cell.isEmpty()) << where;
                const int r = ratio;
                for (int y = cell.top(); y <= cell.bottom(); ++y) {
                    for (int k = 0; k < 2 * r; ++k) {
                        ASSERT_EQ(At(image, cell.left() + k, y), stripe) << where << " y " << y;
                        ASSERT_EQ(At(image, cell.right() - k, y), stripe) << where << " y " << y;
                    }
                    // The side lines, away from the rounded corners.
                    if (y >= cell.top() + 5 * r && y <= cell.bottom() - 5 * r) {
                        for (int k = 0; k < r; ++k) {
                            ASSERT_EQ(At(image, cell.left() + 2 * r + k, y), frame) << where;
                            ASSERT_EQ(At(image, cell.right() - 2 * r - k, y), frame) << where;
                        }
                    }
                }
                bool inked = false;
                for (int y = cell.top(); y <= cell.bottom() && !inked; ++y) {
                    for (int x = cell.left(); x <= cell.right() && !inked; ++x) {
                        inked = At(image, x, y) == text;
                    }
                }
                EXPECT_TRUE(inked) << where;
            }
        }
        host->Close();
    }
}

} // namespace
