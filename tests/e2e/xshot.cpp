// Saves the whole X screen (or one window, given its id) as a PNG: the end-to-end tests'
// evidence when they fail.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [WINDOW-ID]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "no screen\n");
        return 1;
    }
    const WId id = argc > 2 ? static_cast<WId>(std::strtoull(argv[2], nullptr, 0)) : 0;
    const QPixmap shot = screen->grabWindow(id);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
