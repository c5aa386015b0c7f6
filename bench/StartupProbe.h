#pragma once

// Included by each start-up probe's main file: from Qt's application object on, waits for the
// first paint event of a window, then for the end of that painting pass, prints both times in
// milliseconds since the moment the starting process put in TAMBREL_PROBE_START (CLOCK_MONOTONIC
// nanoseconds), and ends the process at once so that no tear-down is counted or run.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace probe {

inline long long Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

inline long long Start() {
    const char* start = std::getenv("TAMBREL_PROBE_START");
    return start != nullptr ? std::atoll(start) : 0;
}

class FirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_first == 0 && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_first = Now();
            // Queued behind the rest of this pass: the whole window painted and flushed.
            QTimer::singleShot(0, this, [this] {
                const long long done = Now();
                const double ms = 1e-6;
                std::printf("first_paint_ms=%.3f painted_ms=%.3f\n",
                            static_cast<double>(m_first - Start()) * ms,
                            static_cast<double>(done - Start()) * ms);
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    long long m_first = 0;
};

} // namespace probe

// Run by Qt as the application object is made, before the program's own code goes on.
static void InstallFirstPaintProbe() {
    QCoreApplication::instance()->installEventFilter(
        new probe::FirstPaint(QCoreApplication::instance()));
}
Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintProbe)
