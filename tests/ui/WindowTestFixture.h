#pragma once

// The window tests' fixture: a window that logs its building steps and events, two kinds of
// control for it, and the stream of a small fixed box.
#include "framework/core/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/RectControl.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"
#include "tests/support/StreamBuilder.h"

#include <QApplication>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace window_test {

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

// A small fixed box like the calendar's design: white, no buttons, not resizable.
inline std::string BoxStream(Int32 frame) {
    return support::StreamBuilder()
        .Int("Placement", 0)
        .Int("Width", 194)
        .Int("Height", 207)
        .Int("MinWidth", 64)
        .Int("MinHeight", 64)
        .Int("MaxWidth", 32000)
        .Int("MaxHeight", 32000)
        .Int("Frame", frame)
        .Bool("Composite", false)
        .Bool("HasBackColor", true)
        .Rgb("BackColor", fw::Color(0x204080))
        .Str("Title", "Calendar")
        .Bool("Visible", true)
        .Bool("FullScreen", true)
        .Bool("MenuBarVisible", false)
        .Bool("CloseButton", false)
        .Bool("Resizeable", false)
        .Bool("LiveResize", false)
        .Bool("MaximizeButton", false)
        .Bool("MinimizeButton", true)
        .Int("MacProcID", 7)
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

} // namespace window_test
