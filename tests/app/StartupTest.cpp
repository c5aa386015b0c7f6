#include "app/Startup.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Window1.h"
#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/Application.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

namespace {

std::shared_ptr<Window1> OpenMainWindow() {
    return std::dynamic_pointer_cast<Window1>(fw::_GetImplicitWindow("Window1.Window1"));
}

void CloseMainWindow() {
    if (std::shared_ptr<Window1> window = OpenMainWindow()) {
        window->Close();
    }
    QApplication::processEvents();
}

// The Quit item of the window's native menu bar, or nullptr.
QAction* NativeQuitAction(QWidget* window) {
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        for (QAction* menuAction : bar->actions()) {
            if (menuAction->menu() == nullptr) {
                continue;
            }
            for (QAction* action : menuAction->menu()->actions()) {
                if (action->text() == "&Quit") {
                    return action;
                }
            }
        }
    }
    return nullptr;
}

TEST(StartupTest, ExceptionHelperHandsBackTheRaisedRuntimeException) {
    static int calls = 0;
    calls = 0;
    auto fine = [](void* argument) { *static_cast<int*>(argument) += 1; };
    EXPECT_EQ(_CallFunctionWithExceptionHandling(fine, &calls), nullptr);
    EXPECT_EQ(calls, 1);

    // The thrown object itself comes back, with its own class and message.
    auto missing = [](void*) { throw fw::NilObjectException("nothing there"); };
    std::shared_ptr<fw::RuntimeException> raised =
        _CallFunctionWithExceptionHandling(missing, nullptr);
    ASSERT_NE(raised, nullptr);
    EXPECT_STREQ(raised->ClassName(), "NilObjectException");
    EXPECT_EQ(raised->Message(), "nothing there");
    EXPECT_NE(dynamic_cast<fw::NilObjectException*>(raised.get()), nullptr);

    // Anything that is no RuntimeException propagates.
    auto other = [](void*) { throw std::runtime_error("not the framework's"); };
    EXPECT_THROW(_CallFunctionWithExceptionHandling(other, nullptr), std::runtime_error);

    std::shared_ptr<fw::RuntimeException> none =
        _CallFunctionWithExceptionHandling(nullptr, nullptr);
    ASSERT_NE(none, nullptr);
    EXPECT_STREQ(none->ClassName(), "NilObjectException");
}

TEST(StartupTest, InitializeRegistersTheSystemsClassesWithTheirAncestry) {
    Initialize();
    const fw::ClassRegistry& registry = fw::ClassRegistry::Instance();
    for (const char* name :
         {"App", "Window1.Window1", "MenuBar1", "TambrelListBox", "wCal.wCal", "wTim.wTim"}) {
        EXPECT_NE(registry.Find(name), nullptr) << name;
    }
    EXPECT_TRUE(registry.IsA("wCal.wCal", "Window"));
    EXPECT_TRUE(registry.IsA("TambrelListBox", "RectControl"));
    EXPECT_NE(registry.FindProperty("TambrelListBox", "scrollbarhorizontal"), nullptr);
}

TEST(StartupTest, MenuBarExistsBeforeTheDefaultWindowWhichSharesIt) {
    Initialize();
    MenuBar1::_implicitInstance = nullptr;

    _NewAppInstance();
    std::shared_ptr<MenuBar1> bar = MenuBar1::_implicitInstance;
    ASSERT_NE(bar, nullptr);
    std::shared_ptr<App> app = std::dynamic_pointer_cast<App>(fw::ApplicationObject());
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->MenuBar(), bar);
    EXPECT_EQ(OpenMainWindow(), nullptr);

    _MakeDefaultView();
    std::shared_ptr<Window1> window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->MenuBar(), bar);
    EXPECT_EQ(MenuBar1::Instance(), bar);
    EXPECT_EQ(window->lb1().ListCount(), 250);
    CloseMainWindow();
}

// The whole application offscreen through its main routine: start-up, the event loop with the
// main window shown, Quit from the File menu, the release of the module objects and the exit
// status.
TEST(StartupTest, RunsOffscreenUntilQuitFromTheFileMenu) {
    CloseMainWindow();
    MenuBar1::_implicitInstance = nullptr;

    struct Seen {
        bool ran = false;
        size_t openWindows = 0;
        bool visible = false;
        bool sharesMenuBar = false;
        int rows = 0;
        QSize grabSize;
        QSize windowSize;
        size_t colours = 0;
        bool saved = false;
        bool quitFound = false;
        bool timedOut = false;
    } seen;

    QTimer::singleShot(0, [&seen] {
        seen.ran = true;
        seen.openWindows = fw::OpenWindows().size();
        std::shared_ptr<Window1> window = OpenMainWindow();
        if (window == nullptr) {
            fw::Quit(1);
            return;
        }
        QWidget* widget = window->NativeWidget();
        // Shown once control is back in the event loop.
        seen.visible = QTest::qWaitForWindowExposed(widget);
        fw::ApplicationPtr app = fw::ApplicationObject();
        seen.sharesMenuBar = MenuBar1::_implicitInstance != nullptr &&
                             window->MenuBar() == MenuBar1::_implicitInstance && app != nullptr &&
                             app->MenuBar() == MenuBar1::_implicitInstance;
        seen.rows = window->lb1().ListCount();

        QImage image = widget->grab().toImage();
        seen.grabSize = image.size() / image.devicePixelRatio();
        seen.windowSize = widget->size();
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                colours.insert(image.pixel(x, y));
            }
        }
        seen.colours = colours.size();
        seen.saved = image.save(QStringLiteral(APP_TESTS_OUTPUT_DIR "/tambrel-demo-window.png"));

        QAction* quit = NativeQuitAction(widget);
        seen.quitFound = quit != nullptr;
        if (quit != nullptr) {
            quit->trigger();
        } else {
            fw::Quit(1);
        }
    });
    // Never hang the run when quitting fails.
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [&seen] {
        seen.timedOut = true;
        fw::Quit(1);
    });
    fallback.start(20000);

    char program[] = "tambrel-demo";
    char* argv[] = {program, nullptr};
    const int status = Main(1, argv);

    EXPECT_EQ(status, 0);

    EXPECT_TRUE(seen.ran);
    EXPECT_FALSE(seen.timedOut);
    EXPECT_EQ(seen.openWindows, 1u);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.sharesMenuBar);
    EXPECT_EQ(seen.rows, 250);
    EXPECT_EQ(seen.grabSize, seen.windowSize);
    // The content area as designed, under the menu bar.
    EXPECT_EQ(seen.grabSize.width(), 857);
    EXPECT_GT(seen.grabSize.height(), 447);
    EXPECT_GT(seen.colours, 3u) << "the grab is blank";
    EXPECT_TRUE(seen.saved);
    EXPECT_TRUE(seen.quitFound);

    // The module objects went at the end, the shared menu bar with them; the loop's end
    // closed the window.
    EXPECT_EQ(MenuBar1::_implicitInstance, nullptr);
    EXPECT_EQ(OpenMainWindow(), nullptr);
    EXPECT_TRUE(fw::OpenWindows().empty());
}

// A failure while starting up goes to the runtime's unhandled-exception report; the event
// loop is then never entered, and shut-down runs as usual.
TEST(StartupTest, FailedStartUpIsReportedAndSkipsTheEventLoop) {
    CloseMainWindow();
    Initialize();
    // A window class that declares no properties cannot take its designed ones.
    fw::ClassRegistry::Instance().Register(fw::ClassInfo{"Window1.Window1", "", {}});

    bool loopEntered = false;
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [&loopEntered] {
        loopEntered = true;
        fw::Quit(1);
    });
    fallback.start(5000);

    std::shared_ptr<fw::testing::MessageBoxRecord> report = fw::testing::ExpectMessageBox();
    _Main();
    Finalize();

    EXPECT_TRUE(report->answered);
    EXPECT_NE(report->text.find("UnsupportedFormatException"), std::string::npos) << report->text;
    EXPECT_FALSE(loopEntered);
    EXPECT_TRUE(fw::OpenWindows().empty());
    EXPECT_EQ(MenuBar1::_implicitInstance, nullptr);
    fw::testing::ClearModalAnswers();
    Initialize();
}

} // namespace
