#include "tests/support/ListDriver.h"

#include <QCoreApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using fw::Int32;

namespace support {

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

fw::DatePtr NewDate(Int32 y, Int32 m, Int32 d, Int32 h, Int32 mi, Int32 s) {
    return std::make_shared<fw::Date>(y, m, d, h, mi, s);
}

QRect ListDriver::CellRect(Int32 row, Int32 column) const {
    QRect rect;
    for (int y = 0; y < list.Height(); ++y) {
        for (int x = 0; x < list.Width(); ++x) {
            if (list.RowFromXY(x, y) == row && list.ColumnFromXY(x, y) == column) {
                rect |= QRect(x, y, 1, 1);
            }
        }
    }
    return rect;
}

QPoint ListDriver::Centre(Int32 row, Int32 column) const {
    const QRect rect = CellRect(row, column);
    EXPECT_FALSE(rect.isEmpty()) << "no cell " << row << ", " << column;
    return rect.center();
}

QWidget* ListDriver::Target(QPoint p) const {
    QWidget* target = View()->childAt(p);
    return target != nullptr ? target : View();
}

void ListDriver::Click(QPoint p) const {
    QCursor::setPos(View()->mapToGlobal(p));
    QWidget* target = Target(p);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(View(), p));
    Settle();
}

void ListDriver::DoubleClick(QPoint p) const {
    QCursor::setPos(View()->mapToGlobal(p));
    QWidget* target = Target(p);
    QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(View(), p));
    Settle();
}

QLineEdit* ListDriver::Editor() const {
    for (QLineEdit* edit : View()->findChildren<QLineEdit*>()) {
        if (edit->isVisible()) {
            return edit;
        }
    }
    return nullptr;
}

QImage ListDriver::Grab() const {
    Settle();
    return View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace support
