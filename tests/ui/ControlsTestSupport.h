#pragma once

// What the controls' tests share: registering the controls' classes, a top-level host that
// shows one control, and a test for the red of drawn pixels.
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/RectControl.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace controls_test {

inline void RegisterControls() {
    fw::RegisterPopupMenuClass();
    fw::RegisterBevelButtonClass();
    fw::RegisterLabelClass();
}

// A top-level host for one control, shown so that real input reaches it.
class Host {
public:
    explicit Host(fw::RectControl& control, int width = 200, int height = 100) {
        m_window.resize(width, height);
        control.NativeWidget()->setParent(&m_window);
        control.NativeWidget()->show();
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_control = control.NativeWidget();
    }
    ~Host() {
        // The control owns its widget; give it back before the window goes.
        m_control->setParent(nullptr);
    }
    QWidget& Window() { return m_window; }

private:
    QWidget m_window;
    QWidget* m_control = nullptr;
};

inline bool IsReddish(QRgb pixel) {
    return qRed(pixel) > 160 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

} // namespace controls_test
