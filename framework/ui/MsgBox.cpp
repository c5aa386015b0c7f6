#include "framework/ui/MsgBox.h"

#include "framework/ui/ModalDisplay.h"

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

namespace fw {

namespace {

// Qt sizes a box for its title with 50 pixels to spare, and the desktop then elides the title
// beside its buttons: leave room for the title in a bold title font, a window icon and three
// buttons about as wide as the bar is high, within the screen.
void WidenForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics fm(font);
    const int bar = fm.height() + 8;
    int width = fm.horizontalAdvance(box.windowTitle()) + 4 * bar + 16;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        width = std::min(width, screen->availableGeometry().width());
    }
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void MsgBox(const std::string& text) {
    QMessageBox box;
    box.setWindowTitle(QApplication::applicationName());
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    WidenForTitle(box);
    box.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    detail::ShowFresh(box);
    detail::RunModalLoop(box, loop, [&box] { box.reject(); });
}

} // namespace fw
