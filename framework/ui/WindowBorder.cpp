#include "framework/ui/WindowBorder.h"

#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QRegion>
#include <QWidget>

namespace fw {

namespace {

// The edge is found by name: without a meta-object of its own, it is just a QWidget to findChild.
const QString kBorderName = QStringLiteral("fw_window_border");

// Masked to its 1-pixel ring, so the controls under it neither repaint it nor lose clicks.
class WindowBorder : public QWidget {
public:
    explicit WindowBorder(QWidget& window) : QWidget(&window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setObjectName(kBorderName);
        window.installEventFilter(this);
        Follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() &&
            (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
            Follow();
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QColor edge = palette().color(QPalette::Dark);
        const QRect r = rect();
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), edge);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), edge);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), edge);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), edge);
    }

private:
    // The window's size, above every other child (a menu bar comes later).
    void Follow() {
        const QRect r = parentWidget()->rect();
        setGeometry(r);
        setMask(QRegion(QRect(QPoint(0, 0), r.size())) -
                QRegion(QRect(1, 1, r.width() - 2, r.height() - 2)));
        raise();
    }
};

} // namespace

void ShowWindowBorder(QWidget& window, bool shown) {
    QWidget* border = window.findChild<QWidget*>(kBorderName, Qt::FindDirectChildrenOnly);
    if (border == nullptr && shown) {
        border = new WindowBorder(window);
    }
    if (border != nullptr) {
        border->setVisible(shown);
    }
}

} // namespace fw
