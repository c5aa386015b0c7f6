// A window's frames, its size limits and where it shows on the screen.
#include "framework/core/PropertyStream.h"
#include "tests/ui/WindowTestFixture.h"

#include <QImage>
#include <QPalette>
#include <QScreen>
#include <QTest>

namespace {

using namespace window_test;

// Box frames have no decorations of the desktop: a 1-pixel edge of their own, above the
// controls and out of the mouse's way, shows where they end on a white list. Only frame 5
// leaves the desktop its drop shadow.
TEST_F(WindowTest, BoxFramesDrawAnEdgeOfTheirOwn) {
    constexpr QRgb kWhite = 0xFFFFFF;
    for (Int32 frame : {4, 5, 0, 2}) {
        auto window = Build([frame](LogWindow& w) {
            fw::_SetProperties(w, BoxStream(frame));
            w.BackColor(fw::RGB(255, 255, 255));
        });
        ButtonControl& first = window->ControlAs<ButtonControl>("first");
        first.Left(0);
        first.Top(0);
        first.Width(60);
        first.Height(30);
        window->ControlAs<ButtonControl>("second").Left(100);
        QWidget* widget = window->NativeWidget();
        const bool box = frame == 4 || frame == 5;
        EXPECT_EQ(frame == 4, bool(widget->windowFlags() & Qt::NoDropShadowWindowHint)) << frame;
        EXPECT_EQ(widget->childAt(0, 0), first.NativeWidget()) << frame;
        EXPECT_TRUE(window->ContentWidget()->isVisible()) << frame;

        const QRgb dark = widget->palette().color(QPalette::Dark).rgb() & 0xFFFFFF;
        for (int ratio : {1, 2}) {
            QImage image(widget->size() * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            widget->render(&image);
            auto at = [&image](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
            const int w = image.width();
            const int h = image.height();
            auto edgeIs = [&](QRgb want) {
                for (int x = 0; x < w; ++x) {
                    for (int y : {0, ratio - 1, h - ratio, h - 1}) {
                        if (at(x, y) != want) {
                            return false;
                        }
                    }
                }
                for (int y = 0; y < h; ++y) {
                    for (int x : {0, ratio - 1, w - ratio, w - 1}) {
                        if (at(x, y) != want) {
                            return false;
                        }
                    }
                }
                return true;
            };
            const std::string where =
                "frame " + std::to_string(frame) + ", ratio " + std::to_string(ratio);
            if (box) {
                EXPECT_TRUE(edgeIs(dark)) << where;
                // Just inside the edge, the window as it is: white, or the button at the corner.
                EXPECT_EQ(at(ratio, h / 2), kWhite) << where;
                EXPECT_EQ(at(w / 2, h - ratio - 1), kWhite) << where;
                EXPECT_NE(at(ratio + 10, ratio + 10), kWhite) << where;
            } else {
                EXPECT_EQ(at(w - 1, h / 2), kWhite) << where;
                EXPECT_EQ(at(w / 2, 0), kWhite) << where;
            }
        }
    }
    // A box that becomes a document window loses its edge.
    auto window = Build([](LogWindow& w) { fw::_SetProperties(w, BoxStream(5)); });
    window->Frame(0);
    const QImage image = window->NativeWidget()->grab().toImage();
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() / 2) & 0xFFFFFF, 0x204080u);
}

TEST_F(WindowTest, SizeLimitsHoldForCodeAndForTheUser) {
    auto window = Build([](LogWindow& w) {
        w.MinWidth(100);
        w.MinHeight(80);
        w.MaxWidth(600);
        w.MaxHeight(400);
    });
    QWidget* widget = window->NativeWidget();
    EXPECT_EQ(widget->minimumSize(), QSize(100, 80));
    EXPECT_EQ(widget->maximumSize(), QSize(600, 400));
    window->Width(50);
    window->Height(1000);
    EXPECT_EQ(window->Width(), 100);
    EXPECT_EQ(window->Height(), 400);
    EXPECT_EQ(widget->size(), QSize(100, 400));

    window->Resizeable(false);
    EXPECT_EQ(widget->minimumSize(), QSize(100, 400));
    EXPECT_EQ(widget->maximumSize(), QSize(100, 400));
    window->Width(150); // code may still size a fixed window
    EXPECT_EQ(widget->size(), QSize(150, 400));
}

TEST_F(WindowTest, PlacementCentresOnTheMainScreenAndLeftTopPlaceTheContent) {
    auto centred = Build([](LogWindow& w) {
        w.Placement(2);
        w.Width(300);
        w.Height(200);
    });
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(centred->Left(), area.x() + (area.width() - 300) / 2);
    EXPECT_EQ(centred->Top(), area.y() + (area.height() - 200) / 2);

    auto placed = Build([](LogWindow& w) { w.Placement(2); });
    placed->Left(40);
    placed->Top(55);
    EXPECT_EQ(placed->Left(), 40);
    EXPECT_EQ(placed->Top(), 55);
    EXPECT_EQ(placed->ContentWidget()->mapToGlobal(QPoint(0, 0)), QPoint(40, 55));
}

// Whatever its placement, a window's frame is fitted into the available area when it shows:
// moved, and shrunk where it must be but never below its minimum size.
TEST_F(WindowTest, AWindowShowsWithItsFrameInsideTheAvailableArea) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* name;
        fw::Int32 placement, left, top, width, height, minWidth, minHeight;
        bool resizeable;
        fw::Int32 expectedWidth, expectedHeight;
    };
    const fw::Int32 w = area.width(), h = area.height();
    const Case cases[] = {
        {"centred, too wide and too tall", 2, -1, -1, w + 57, h + 40, 64, 64, true, -1, -1},
        {"placed off the left and top", 0, -300, -50, 400, 300, 64, 64, true, 400, 300},
        {"placed off the right and bottom", 0, w - 100, h - 20, 400, 300, 64, 64, true, 400, 300},
        {"too large, minimum larger still", 2, -1, -1, w + 200, 300, w + 100, 64, true, w + 100,
         300},
        {"fixed size is kept, only moved", 0, w - 10, 10, w + 50, 200, 64, 64, false, w + 50, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = std::make_shared<LogWindow>();
        window->layout = [c](LogWindow& lw) {
            lw.Placement(c.placement);
            lw.MinWidth(c.minWidth);
            lw.MinHeight(c.minHeight);
            lw.Width(c.width);
            lw.Height(c.height);
            lw.Resizeable(c.resizeable);
            if (c.left != -1) {
                lw.Left(c.left);
                lw.Top(c.top);
            }
        };
        window->Constructor();
        QWidget* native = window->NativeWidget();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(native));
        QCoreApplication::processEvents();
        const QRect frame = native->frameGeometry();
        if (c.expectedWidth == -1) {
            EXPECT_TRUE(area.contains(frame))
                << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
            EXPECT_LT(window->Width(), c.width);
            EXPECT_LT(window->Height(), c.height);
        } else {
            EXPECT_EQ(window->Width(), c.expectedWidth);
            EXPECT_EQ(window->Height(), c.expectedHeight);
            // The top left corner (title and menus) stays on the screen.
            EXPECT_GE(frame.left(), area.left());
            EXPECT_GE(frame.top(), area.top());
            if (frame.width() <= area.width()) {
                EXPECT_LE(frame.right(), area.right());
            }
            if (frame.height() <= area.height()) {
                EXPECT_LE(frame.bottom(), area.bottom());
            }
        }
        EXPECT_EQ(window->Left(), native->geometry().x());
        window->Close();
    }
}

} // namespace
