#include "framework/ui/MsgBox.h"

#include "framework/ui/ModalDisplay.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>

namespace fw {

void MsgBox(const std::string& text) {
    QMessageBox box;
    box.setWindowTitle(QApplication::applicationName());
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    detail::ShowFresh(box);
    detail::RunModalLoop(box, loop, [&box] { box.reject(); });
}

} // namespace fw
