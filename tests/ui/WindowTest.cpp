#include "framework/ui/Window.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/RectControl.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using fw::Int32;

// A push button control; its click runs action through the exception boundary, as every
// framework control's events do.
class ButtonControl : public fw::RectControl {
public:
    ButtonControl() : RectControl(std::make_unique<QPushButton>()) {
        QObject::connect(Button(), &QPushButton::clicked, [this] {
            fw::CallIntoSystem([this] {
                if (action) {
                    action();
                }
            });
        });
    }
    std::string_view ClassFullName() const override { return "ButtonControl"; }
    QPushButton* Button() const { return static_cast<QPushButton*>(NativeWidget()); }
    void Event_Open() override {
        if (log != nullptr) {
            log->push_back(Name() + ".Open");
        }
    }

    std::function<void()> action;
    std::vector<std::string>* log = nullptr;
};

class OtherControl : public fw::RectControl {
public:
    OtherControl() : RectControl(std::make_unique<QWidget>()) {}
    std::string_view ClassFullName() const override { return "OtherControl"; }
};

// A window that logs its building steps and events.
class LogWindow : public fw::Window {
public:
    std::string_view ClassFullName() const override { return "LogWindow.LogWindow"; }

    void Layout() override {
        log.push_back("Layout");
        if (layout) {
            layout(*this);
        }
    }
    void CreateControls() override {
        log.push_back("CreateControls");
        for (const char* name : {"first", "second"}) {
            auto& button = static_cast<ButtonControl&>(_AddControl(name, __New<ButtonControl>()));
            button.log = &log;
        }
    }
    void Event_Open() override {
        log.push_back("Open");
        visibleAtOpen = NativeWidget()->isVisible();
    }
    void Event_Resized() override { ++resized; }
    bool Event_CancelClose(bool) override { return cancelClose; }
    void Event_Close() override { log.push_back("Close"); }

    std::vector<std::string> log;
    std::function<void(LogWindow&)> layout;
    bool visibleAtOpen = true;
    bool cancelClose = false;
    int resized = 0;
};

// Stream bytes in the stored encoding.
class Stream {
public:
    Stream& I32(const std::string& name, Int32 value) {
        Name(name);
        const auto u = static_cast<std::uint32_t>(value);
        for (int shift = 24; shift >= 0; shift -= 8) {
            m_bytes += static_cast<char>((u >> shift) & 0xFF);
        }
        return *this;
    }
    Stream& Bool(const std::string& name, bool value) {
        Name(name);
        m_bytes += static_cast<char>(value ? 1 : 0);
        return *this;
    }
    Stream& Col(const std::string& name, int r, int g, int b) {
        Name(name);
        m_bytes += static_cast<char>(r);
        m_bytes += static_cast<char>(g);
        m_bytes += static_cast<char>(b);
        return *this;
    }
    Stream& Str(const std::string& name, const std::string& value) {
        const std::string n = name;
        I32(n, static_cast<Int32>(value.size()));
        m_bytes += value;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    void Name(const std::string& name) { m_bytes += name + " "; }
    std::string m_bytes;
};

// A small fixed box like the calendar's design: white, no buttons, not resizable.
std::string BoxStream(Int32 frame) {
    return Stream()
        .I32("Placement", 0)
        .I32("Width", 194)
        .I32("Height", 207)
        .I32("MinWidth", 64)
        .I32("MinHeight", 64)
        .I32("MaxWidth", 32000)
        .I32("MaxHeight", 32000)
        .I32("Frame", frame)
        .Bool("Composite", false)
        .Bool("HasBackColor", true)
        .Col("BackColor", 0x20, 0x40, 0x80)
        .Str("Title", "Calendar")
        .Bool("Visible", true)
        .Bool("FullScreen", true)
        .Bool("MenuBarVisible", false)
        .Bool("CloseButton", false)
        .Bool("Resizeable", false)
        .Bool("LiveResize", false)
        .Bool("MaximizeButton", false)
        .Bool("MinimizeButton", true)
        .I32("MacProcID", 7)
        .Bytes();
}

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fw::RegisterRectControlClasses();
        fw::RegisterWindowClass();
        fw::ClassRegistry::Instance().Register(fw::ClassInfo{"LogWindow.LogWindow", "Window", {}});
        fw::ClassRegistry::Instance().Register(fw::ClassInfo{"ButtonControl", "RectControl", {}});
    }
    void TearDown() override {
        fw::testing::ClearModalAnswers();
        fw::CloseAllWindows();
        QApplication::processEvents();
    }

    static std::shared_ptr<LogWindow> Build(std::function<void(LogWindow&)> layout = {}) {
        auto window = std::make_shared<LogWindow>();
        window->layout = std::move(layout);
        window->Constructor();
        QCoreApplication::processEvents(); // it shows once control is back in the event loop
        return window;
    }
};

TEST_F(WindowTest, ConstructorBuildsInOrderThenShows) {
    auto window = std::make_shared<LogWindow>();
    window->Constructor();
    EXPECT_EQ(window->log, (std::vector<std::string>{"Layout", "CreateControls", "first.Open",
                                                     "second.Open", "Open"}));
    EXPECT_FALSE(window->visibleAtOpen);
    // Shown when control returns to the event loop, so that code placing it first is seen
    // in place; Visible says so at once.
    EXPECT_TRUE(window->Visible());
    EXPECT_FALSE(window->NativeWidget()->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window->NativeWidget()));
    EXPECT_TRUE(window->IsOpen());

    // Controls live in the content area, found by name in any letter case and checked by class.
    ButtonControl& first = window->ControlAs<ButtonControl>("first");
    EXPECT_EQ(first.NativeWidget()->parentWidget(), window->ContentWidget());
    EXPECT_EQ(first.Window(), window.get());
    EXPECT_EQ(window->_ControlByName("SECOND"), window->Controls()[1].get());
    EXPECT_EQ(window->_ControlByName("third"), nullptr);
    EXPECT_THROW(window->ControlAs<ButtonControl>("third"), fw::NilObjectException);
    EXPECT_THROW(window->ControlAs<OtherControl>("first"), fw::IllegalCastException);
    EXPECT_THROW(window->_AddControl("none", nullptr), fw::NilObjectException);

    // A window that is not visible by design stays hidden.
    auto hidden = Build([](LogWindow& w) { w.Visible(false); });
    EXPECT_FALSE(hidden->NativeWidget()->isVisible());
    EXPECT_TRUE(hidden->IsOpen());
}

TEST_F(WindowTest, StreamSetsEveryWindowProperty) {
    auto window = Build([](LogWindow& w) { fw::_SetProperties(w, BoxStream(5)); });
    EXPECT_EQ(window->Width(), 194);
    EXPECT_EQ(window->Height(), 207);
    EXPECT_EQ(window->Frame(), 5);
    EXPECT_TRUE(window->HasBackColor());
    EXPECT_EQ(window->BackColor(), fw::RGB(0x20, 0x40, 0x80));
    EXPECT_EQ(window->Title(), "Calendar");
    EXPECT_TRUE(window->FullScreen());
    EXPECT_FALSE(window->MenuBarVisible());
    EXPECT_FALSE(window->CloseButton());
    EXPECT_FALSE(window->Resizeable());
    EXPECT_FALSE(window->MaximizeButton());
    EXPECT_TRUE(window->MinimizeButton());
    EXPECT_EQ(window->MacProcId(), 7);

    QWidget* widget = window->NativeWidget();
    EXPECT_EQ(widget->windowTitle(), QString("Calendar"));
    EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
    // Not resizable: fixed at the designed size (FullScreen does not take over the screen).
    EXPECT_EQ(widget->size(), QSize(194, 207));
    EXPECT_EQ(widget->minimumSize(), widget->maximumSize());
    EXPECT_EQ(window->ContentWidget()->size(), QSize(194, 207));
    // The content area shows the back colour.
    const QImage image = window->ContentWidget()->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(100, 100)), QColor(0x20, 0x40, 0x80));

    // A small dialog with a close box only.
    auto dialog = Build([](LogWindow& w) {
        fw::_SetProperties(w, BoxStream(2));
        w.CloseButton(true);
        w.MinimizeButton(false);
    });
    const Qt::WindowFlags flags = dialog->NativeWidget()->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_FALSE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog->NativeWidget()->isVisible());
}

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

TEST_F(WindowTest, ShowModalReturnsWhenAControlClosesTheWindow) {
    auto window = Build();
    window->ControlAs<ButtonControl>("second").action = [&window] { window->Close(); };
    bool wasModal = false;
    fw::testing::OnNextModalWindow([&wasModal](fw::Window& w) {
        wasModal = QApplication::activeModalWidget() == w.NativeWidget();
        auto& button = w.ControlAs<ButtonControl>("second");
        QTest::mouseClick(button.Button(), Qt::LeftButton);
    });
    window->ShowModal();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(window->IsOpen());
    EXPECT_FALSE(window->NativeWidget()->isVisible());
    EXPECT_EQ(fw::_GetImplicitWindow("LogWindow.LogWindow"), nullptr);
    // Still readable after its close.
    EXPECT_EQ(window->ControlAs<ButtonControl>("first").Name(), "first");
    EXPECT_EQ(window->log.back(), "Close");
    // Showing a closed window again returns at once.
    window->ShowModal();
}

// A reparenting window manager can lose the map of a window unmapped just before: a window
// built and shown modally at once (as the pickers are) maps once, and a window already on the
// screen is shown modally in a new native window.
TEST_F(WindowTest, ShowModalMapsAWindowOnceAndNeverRemapsTheSameNativeWindow) {
    struct Counter : QObject {
        int shows = 0, hides = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            shows += e->type() == QEvent::Show;
            hides += e->type() == QEvent::Hide;
            return false;
        }
    };
    auto fresh = std::make_shared<LogWindow>();
    Counter counter;
    fresh->Constructor();
    fresh->NativeWidget()->installEventFilter(&counter);
    int showsWhenAnswered = -1, hidesWhenAnswered = -1;
    fw::testing::OnNextModalWindow([&](fw::Window& w) {
        showsWhenAnswered = counter.shows;
        hidesWhenAnswered = counter.hides;
        w.Close();
    });
    fresh->ShowModal();
    EXPECT_EQ(showsWhenAnswered, 1);
    EXPECT_EQ(hidesWhenAnswered, 0);

    auto shown = Build();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shown->NativeWidget()));
    const WId before = shown->NativeWidget()->winId();
    WId during = 0;
    fw::testing::OnNextModalWindow([&](fw::Window& w) {
        during = w.NativeWidget()->winId();
        w.Close();
    });
    shown->ShowModal();
    EXPECT_NE(during, before);
    EXPECT_NE(during, WId(0));
}

TEST_F(WindowTest, ImplicitWindowFoundWhileOpenAndForgottenAtClose) {
    EXPECT_EQ(fw::_GetImplicitWindow("LogWindow.LogWindow"), nullptr);
    auto window = Build();
    EXPECT_EQ(fw::_GetImplicitWindow("LogWindow.LogWindow"), window);
    EXPECT_EQ(fw::_GetImplicitWindow("logwindow.logwindow"), nullptr); // full names exactly
    EXPECT_EQ(fw::OpenWindows(), std::vector<fw::WindowPtr>{window});

    window->Close();
    EXPECT_EQ(fw::_GetImplicitWindow("LogWindow.LogWindow"), nullptr);
    EXPECT_TRUE(fw::OpenWindows().empty());
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Controls().size(), 2u);
}

TEST_F(WindowTest, CancelCloseKeepsAUserClosedWindowOpen) {
    auto window = Build();
    window->cancelClose = true;
    window->NativeWidget()->close(); // as the close box does
    EXPECT_TRUE(window->IsOpen());
    EXPECT_TRUE(window->NativeWidget()->isVisible());

    window->cancelClose = false;
    window->NativeWidget()->close();
    EXPECT_FALSE(window->IsOpen());
    EXPECT_EQ(window->log.back(), "Close");
}

TEST_F(WindowTest, WindowNobodyHoldsGoesSafelyAfterItsClose) {
    QPointer<QWidget> widget;
    QPointer<QWidget> button;
    {
        auto window = Build();
        widget = window->NativeWidget();
        button = window->ControlAs<ButtonControl>("first").NativeWidget();
        // The close comes from inside the window's own control.
        window->ControlAs<ButtonControl>("first").action = [raw = window.get()] { raw->Close(); };
    }
    ASSERT_TRUE(widget);
    QTest::mouseClick(static_cast<QPushButton*>(button.data()), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(widget);
    EXPECT_FALSE(button);
}

TEST_F(WindowTest, LockedControlsFollowTheWindowsSize) {
    auto window = Build([](LogWindow& w) {
        w.Width(400);
        w.Height(300);
    });
    struct Case {
        const char* name;
        bool left, top, right, bottom;
        QRect after;
    } cases[] = {
        {"all", true, true, true, true, QRect(20, 14, 160 + 100, 100 + 50)},
        {"rightOnly", false, true, true, false, QRect(20 + 100, 14, 160, 100)},
        {"bottomOnly", true, false, false, true, QRect(20, 14 + 50, 160, 100)},
        {"leftTop", true, true, false, false, QRect(20, 14, 160, 100)},
    };
    for (const Case& c : cases) {
        auto& control = window->_AddControl(c.name, std::make_unique<OtherControl>());
        control.Left(20);
        control.Top(14);
        control.Width(160);
        control.Height(100);
        control.LockLeft(c.left);
        control.LockTop(c.top);
        control.LockRight(c.right);
        control.LockBottom(c.bottom);
    }
    // A real resize of the native window, as the user's drag gives.
    window->resized = 0;
    window->NativeWidget()->resize(500, 350);
    QApplication::processEvents();
    EXPECT_EQ(window->Width(), 500);
    EXPECT_EQ(window->Height(), 350);
    EXPECT_GE(window->resized, 1);
    for (const Case& c : cases) {
        const fw::RectControl* control = window->_ControlByName(c.name);
        EXPECT_EQ(QRect(control->Left(), control->Top(), control->Width(), control->Height()),
                  c.after)
            << c.name;
        EXPECT_EQ(control->NativeWidget()->geometry(), c.after) << c.name;
    }
    // Setting the size from code moves them back, and raises Resized too.
    const int before = window->resized;
    window->Width(400);
    window->Height(300);
    EXPECT_EQ(window->resized, before + 2);
    EXPECT_EQ(window->_ControlByName("all")->Width(), 160);
    EXPECT_EQ(window->_ControlByName("rightOnly")->Left(), 20);
}

TEST_F(WindowTest, ControlPropertiesReachTheirWidgets) {
    auto window = Build();
    ButtonControl& first = window->ControlAs<ButtonControl>("first");
    ButtonControl& second = window->ControlAs<ButtonControl>("second");
    first.Left(5);
    first.Top(6);
    first.Width(70);
    first.Height(22);
    EXPECT_EQ(first.NativeWidget()->geometry(), QRect(5, 6, 70, 22));
    first.HelpTag("Previous month");
    EXPECT_EQ(first.NativeWidget()->toolTip(), QString("Previous month"));
    first.Enabled(false);
    EXPECT_FALSE(first.NativeWidget()->isEnabled());
    first.Enabled(true);
    first.Visible(false);
    EXPECT_FALSE(first.NativeWidget()->isVisible());
    first.Visible(true);
    EXPECT_TRUE(first.NativeWidget()->isVisible());
    first.TextFont("SmallSystem");
    first.Bold(true);
    EXPECT_TRUE(first.NativeWidget()->font().bold());
    EXPECT_DOUBLE_EQ(first.NativeWidget()->font().pointSizeF(),
                     QApplication::font().pointSizeF() - 2);

    // Tab order follows TabIndex, not creation order.
    first.TabIndex(1);
    second.TabIndex(0);
    window->NativeWidget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWidget()));
    first.NativeWidget()->setFocus();
    QTest::keyClick(first.NativeWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), second.NativeWidget());
    QTest::keyClick(second.NativeWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), first.NativeWidget());
    QTest::keyClick(first.NativeWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), second.NativeWidget());
    second.TabStop(false);
    EXPECT_FALSE(second.NativeWidget()->focusPolicy() & Qt::TabFocus);
    second.TabStop(true);
    EXPECT_TRUE(second.NativeWidget()->focusPolicy() & Qt::TabFocus);
}

TEST_F(WindowTest, MenuBarShowsAboveTheContentArea) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = std::make_shared<fw::MenuItem>("&File");
    file->Name("FileMenu");
    file->Append(std::make_shared<fw::QuitMenuItem>("&Quit"));
    bar->Append(file);

    auto window = Build([bar](LogWindow& w) {
        w.MenuBar(bar);
        w.Width(320);
        w.Height(240);
    });
    auto* native = window->NativeWidget()->findChild<QMenuBar*>();
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(native->isVisible());
    EXPECT_GT(native->height(), 0);
    EXPECT_EQ(window->ContentWidget()->geometry(), QRect(0, native->height(), 320, 240));
    EXPECT_EQ(window->NativeWidget()->height(), 240 + native->height());
    EXPECT_EQ(window->Top(), window->NativeWidget()->geometry().y() + native->height());

    window->MenuBarVisible(false);
    EXPECT_EQ(window->NativeWidget()->findChild<QMenuBar*>(), nullptr);
    EXPECT_EQ(window->ContentWidget()->geometry(), QRect(0, 0, 320, 240));
}

} // namespace
