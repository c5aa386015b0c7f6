#include "framework/ui/Window.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <gtest/gtest.h>

namespace {

// The offscreen platform's own screen (800 x 600) is smaller than the demonstration's window,
// which would be fitted into it: the tests get a screen that holds every designed window.
QByteArray OffscreenPlatformWithTestScreen() {
    const QString path = QDir::temp().filePath("tambrel-test-screen.json");
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1280,)"
                   R"( "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96}]})");
        if (file.commit()) {
            return "offscreen:configfile=" + QFile::encodeName(path);
        }
    }
    return "offscreen";
}

} // namespace

// UI tests need a QApplication; the offscreen platform needs no display.
int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", OffscreenPlatformWithTestScreen());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    fw::testing::InstallModalWatchdog();
    const int result = RUN_ALL_TESTS();
    // Windows still open go while their QApplication is alive.
    fw::CloseAllWindows();
    QApplication::processEvents();
    return result;
}
