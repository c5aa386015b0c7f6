#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

// UI tests need a QApplication; the offscreen platform needs no display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    fw::testing::InstallModalWatchdog();
    const int result = RUN_ALL_TESTS();
    // Windows still open go while their QApplication is alive.
    fw::CloseAllWindows();
    QApplication::processEvents();
    return result;
}
