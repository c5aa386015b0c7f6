#include "framework/ui/Runtime.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/Application.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/MsgBox.h"
#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The system's helper: hands back a RuntimeException (its own object), lets others propagate.
std::shared_ptr<fw::RuntimeException> SystemHelper(void (*function)(void*), void* argument) {
    return fw::CallCapturingRuntimeException(function, argument);
}

class RecordingApp : public fw::Application {
public:
    void Event_Open() override { events.push_back("Open"); }
    void Event_Close() override { events.push_back("Close"); }
    bool Event_UnhandledException(fw::RuntimeException& error) override {
        events.push_back(std::string("Unhandled ") + error.ClassName());
        return handles;
    }
    std::vector<std::string> events;
    bool handles = false;
};

class RuntimeTest : public ::testing::Test {
protected:
    void TearDown() override {
        fw::testing::ClearModalAnswers();
        fw::_RuntimeSetExceptionHelper(nullptr);
        fw::_RuntimeRegisterAppObject(nullptr);
        fw::CloseAllWindows();
        QApplication::processEvents();
    }
};

TEST_F(RuntimeTest, ExceptionAtTheBoundaryIsReportedAfterTheEventAndTheLoopGoesOn) {
    struct Case {
        bool withHelper;
        std::function<void()> raise;
        std::string text;
    } cases[] = {
        {true, [] { throw fw::NilObjectException("The list box is gone"); },
         "An exception of class NilObjectException was not handled.\n\nThe list box is gone"},
        {false, [] { throw fw::OutOfBoundsException("Row 7"); },
         "An exception of class OutOfBoundsException was not handled.\n\nRow 7"},
        {true, [] { throw std::runtime_error("not the framework's"); },
         "An exception of class std::runtime_error was not handled.\n\nnot the framework's"},
        {false, [] { throw 42; }, "An exception of class (unknown) was not handled."},
    };
    for (const auto& c : cases) {
        fw::_RuntimeSetExceptionHelper(c.withHelper ? fw::ExceptionHelper(&SystemHelper)
                                                    : fw::ExceptionHelper());
        auto box = fw::testing::ExpectMessageBox();
        bool after = false;
        EXPECT_NO_THROW(fw::CallIntoSystem([&] {
            c.raise();
            after = true;
        }));
        EXPECT_FALSE(after);
        // Not inside the call: the report waits for the event loop.
        EXPECT_FALSE(box->answered);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        ASSERT_TRUE(fw::testing::WaitForModalAnswers());
        EXPECT_TRUE(box->answered);
        EXPECT_EQ(box->title, "Unhandled exception");
        EXPECT_EQ(box->text, c.text);

        // The next call runs normally.
        bool ran = false;
        fw::CallIntoSystem([&ran] { ran = true; });
        EXPECT_TRUE(ran);
        EXPECT_EQ(fw::CallIntoSystemOr<int>(-1, [] { return 5; }), 5);
    }
    // A call with a result yields the fallback when it raised.
    auto last = fw::testing::ExpectMessageBox();
    EXPECT_EQ(fw::CallIntoSystemOr<int>(-1, []() -> int { throw fw::RuntimeException("x"); }), -1);
    EXPECT_TRUE(fw::testing::WaitForModalAnswers());
    EXPECT_EQ(last->text, "An exception of class RuntimeException was not handled.\n\nx");
}

TEST_F(RuntimeTest, ApplicationMayHandleTheExceptionItself) {
    auto app = std::make_shared<RecordingApp>();
    app->handles = true;
    fw::_RuntimeRegisterAppObject(app);
    EXPECT_EQ(fw::ApplicationObject(), app);
    fw::CallIntoSystem([] { throw fw::TypeMismatchException("handled"); });
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(app->events, std::vector<std::string>{"Unhandled TypeMismatchException"});
}

TEST_F(RuntimeTest, UnhandledExceptionOutsideAnyEventShowsAtOnce) {
    auto box = fw::testing::ExpectMessageBox();
    fw::_UnhandledException(std::make_exception_ptr(fw::UnsupportedFormatException("bad")));
    EXPECT_TRUE(box->answered);
    EXPECT_EQ(box->text, "An exception of class UnsupportedFormatException was not handled."
                         "\n\nbad");
    fw::_UnhandledException(nullptr); // nothing to report
    EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);
}

TEST_F(RuntimeTest, MsgBoxReturnsWhenAnswered) {
    auto box = fw::testing::ExpectMessageBox();
    fw::MsgBox("New Text hello");
    EXPECT_TRUE(box->answered);
    EXPECT_EQ(box->text, "New Text hello");
    EXPECT_EQ(box->title, QApplication::applicationName().toStdString());
}

// However short the message, the box leaves the desktop's title bar room for the whole title
// in a bold title font beside an icon and three buttons, each at least as wide as the text is
// high; and it is never narrower than Qt alone would make it.
TEST_F(RuntimeTest, MsgBoxIsWideEnoughForItsTitle) {
    struct RestoreName {
        QString saved = QApplication::applicationName();
        ~RestoreName() { QApplication::setApplicationName(saved); }
    } restore;
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    for (const char* title : {"tambrel-demo", "A much longer application name"}) {
        QApplication::setApplicationName(title);
        QFont font = QApplication::font("QMdiSubWindowTitleBar");
        font.setBold(true);
        const QFontMetrics fm(font);
        const int titleRoom = std::min(fm.horizontalAdvance(title) + 4 * fm.height(), screenWidth);
        for (const std::string& text :
             {std::string("x"), std::string("New Text hello"), std::string(60, 'W')}) {
            QMessageBox plain;
            plain.setWindowTitle(title);
            plain.setText(QString::fromStdString(text));
            plain.setStandardButtons(QMessageBox::Ok);
            plain.show();
            const int qtWidth = plain.width();
            plain.hide();

            int width = 0;
            fw::testing::AnswerNextMessageBox([&](QMessageBox& box) { width = box.width(); });
            fw::MsgBox(text);
            EXPECT_GE(width, titleRoom) << title << " / " << text;
            EXPECT_GE(width, qtWidth) << title << " / " << text;
        }
    }
}

TEST_F(RuntimeTest, StartupRunsOnceBeforeAnyEventAndTheLoopRunsUntilQuit) {
    auto app = std::make_shared<RecordingApp>();
    bool eventDelivered = false;
    QTimer::singleShot(0, [&eventDelivered] { eventDelivered = true; });
    int startups = 0;
    bool eventBeforeStartup = true;
    fw::_RunFrameworkInitialization([&] {
        ++startups;
        eventBeforeStartup = eventDelivered;
        fw::_RuntimeInitExternalClasses();
        fw::_RuntimeRegisterAppObject(app);
    });
    EXPECT_EQ(startups, 1);
    EXPECT_FALSE(eventBeforeStartup);

    QTimer::singleShot(0, [&app] {
        app->events.push_back("loop");
        fw::Quit(3);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { fw::Quit(99); });
    guard.start(10000);
    fw::_RuntimeRun();
    EXPECT_TRUE(eventDelivered);
    EXPECT_EQ(app->events, (std::vector<std::string>{"Open", "loop", "Close"}));
    // The test's QApplication is not the runtime's own: RuntimeExit leaves it.
    EXPECT_EQ(fw::RuntimeExit(), 3);
    EXPECT_NE(QApplication::instance(), nullptr);
    EXPECT_EQ(fw::ApplicationObject(), nullptr);
}

// A window that runs a message box from a button inside its modal loop: both answered from
// inside, chained.
class ModalWindow : public fw::Window {
public:
    std::string_view ClassFullName() const override { return "ModalWindow.ModalWindow"; }
    void Event_Close() override { closed = true; }
    bool closed = false;
};

TEST_F(RuntimeTest, ModalAnswersChainAcrossNestedLoops) {
    auto window = std::make_shared<ModalWindow>();
    window->Constructor();
    auto box = fw::testing::ExpectMessageBox();
    std::string seenInside;
    fw::testing::OnNextModalWindow([&](fw::Window& w) {
        fw::CallIntoSystem([&] {
            fw::MsgBox("inside");
            seenInside = box->text;
            w.Close();
        });
    });
    window->ShowModal();
    EXPECT_EQ(seenInside, "inside");
    EXPECT_TRUE(window->closed);
    EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);
}

TEST_F(RuntimeTest, EventLoopGoesOnAfterAReportedException) {
    fw::_RuntimeSetExceptionHelper(&SystemHelper);
    // A window stays open: the application would otherwise end with its last window, the box.
    auto window = std::make_shared<ModalWindow>();
    window->Constructor();
    auto box = fw::testing::ExpectMessageBox();
    int laterEvents = 0;
    QTimer::singleShot(
        0, [] { fw::CallIntoSystem([] { throw fw::NilObjectException("from a handler"); }); });
    // A later event, once the report has been answered: the loop must still be running.
    QTimer later;
    QObject::connect(&later, &QTimer::timeout, [&] {
        if (!box->answered) {
            return;
        }
        later.stop();
        fw::CallIntoSystem([&laterEvents] {
            ++laterEvents;
            fw::Quit(0);
        });
    });
    later.start(20);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { fw::Quit(99); });
    guard.start(10000);
    fw::_RuntimeRun();
    EXPECT_TRUE(box->answered);
    EXPECT_EQ(box->text,
              "An exception of class NilObjectException was not handled.\n\nfrom a handler");
    EXPECT_EQ(laterEvents, 1);
    EXPECT_EQ(fw::RuntimeExit(), 0);
    EXPECT_TRUE(window->closed); // the end of the loop closed it
}

TEST_F(RuntimeTest, FrameworkClassesAreRegisteredWithTheirAncestry) {
    fw::RegisterFrameworkClasses();
    const auto& registry = fw::ClassRegistry::Instance();
    for (const char* name : {"Window", "RectControl", "Listbox", "PopupMenu", "BevelButton",
                             "Label", "Application", "QuitMenuItem", "MenuBar", "Picture"}) {
        EXPECT_TRUE(registry.IsA(name, "Object")) << name;
    }
    EXPECT_TRUE(registry.IsA("Listbox", "RectControl"));
    EXPECT_TRUE(registry.IsA("RectControl", "Control"));
    // Stored names that differ in letter case find the declared property.
    EXPECT_NE(registry.FindProperty("Window", "MacProcID"), nullptr);
    EXPECT_NE(registry.FindProperty("BevelButton", "lockleft"), nullptr);
    EXPECT_NE(registry.FindProperty("Label", "Name"), nullptr);
    EXPECT_EQ(registry.FindProperty("Window", "Left"), nullptr); // no window stream holds it
}

TEST_F(RuntimeTest, PopupMenuAnswers) {
    QMenu menu;
    menu.addAction("First");
    menu.addSeparator();
    QAction* last = menu.addAction("Last");
    struct Case {
        int index;
        QAction* chosen;
    } cases[] = {{2, last}, {-1, nullptr}, {1, nullptr}, {9, nullptr}};
    for (const Case& c : cases) {
        fw::testing::AnswerNextPopupMenu(c.index);
        EXPECT_EQ(menu.exec(QPoint(20, 20)), c.chosen) << "index " << c.index;
        EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);
    }
}

TEST_F(RuntimeTest, AnExpectationNobodyMeetsFailsInsteadOfHanging) {
    EXPECT_NONFATAL_FAILURE(
        {
            fw::testing::ExpectMessageBox(100);
            fw::testing::WaitForModalAnswers(2000);
        },
        "Expected a message box within 100 ms");
    EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);
}

} // namespace
