#include "framework/ui/ModalDisplay.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace fw::detail {

void ShowFresh(QWidget& widget) {
    if (widget.isVisible()) {
        widget.hide();
        if (QWindow* handle = widget.windowHandle()) {
            handle->destroy(); // the next show maps a new native window
        }
    }
    widget.show();
    widget.raise();
    widget.activateWindow();
}

void RunModalLoop(QWidget& widget, QEventLoop& loop, const std::function<void()>& giveUp) {
    QPointer<QWidget> guard(&widget);
    bool shownAgain = false;
    QTimer watch;
    watch.setSingleShot(true);
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (!guard || !guard->isVisible()) {
            return; // closed or hidden by its owner: the owner's end condition applies
        }
        const QWindow* handle = guard->windowHandle();
        if (handle != nullptr && handle->isExposed()) {
            return;
        }
        if (!shownAgain) {
            shownAgain = true;
            ShowFresh(*guard);
            watch.start(kGiveUpBoundMs - kMapBoundMs);
            return;
        }
        giveUp();
    });
    watch.start(kMapBoundMs);
    loop.exec(QEventLoop::DialogExec);
}

void CloseUnlessShownInTime(QWidget& widget) {
    QPointer<QWidget> guard(&widget);
    QTimer::singleShot(kGiveUpBoundMs, &widget, [guard] {
        if (guard && guard->isVisible() &&
            (guard->windowHandle() == nullptr || !guard->windowHandle()->isExposed())) {
            guard->close();
        }
    });
}

} // namespace fw::detail
