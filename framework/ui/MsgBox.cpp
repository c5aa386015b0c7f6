#include "framework/ui/MsgBox.h"

#include <QApplication>
#include <QMessageBox>

namespace fw {

void MsgBox(const std::string& text) {
    QMessageBox box;
    box.setWindowTitle(QApplication::applicationName());
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace fw
