// A window's building, its stream, closing and modal display, its controls and its menu bar.
#include "framework/core/Exceptions.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/MenuItem.h"
#include "tests/ui/WindowTestFixture.h"

#include <QImage>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

namespace {

using namespace window_test;

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
