#pragma once

// The framework list box's test fixture: a list that records its paint events, shown on the
// offscreen screen and clicked the way a user would.
#include "framework/ui/Graphics.h"
#include "framework/ui/Listbox.h"
#include "framework/ui/testing/ModalTestSupport.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace listbox_test {

using fw::Int32;

// Records the paint events and lets a test answer them.
class Probe : public fw::Listbox {
public:
    struct Paint {
        Int32 row, column, width, height, x, y;
    };
    std::vector<Paint> backgrounds;
    std::vector<Paint> texts;
    std::function<bool(fw::Graphics&, Int32, Int32)> onBackground;
    std::function<bool(fw::Graphics&, Int32, Int32)> onText;

    bool Event_CellBackgroundPaint(fw::Graphics& g, Int32 row, Int32 column) override {
        backgrounds.push_back({row, column, g.Width(), g.Height(), 0, 0});
        return onBackground ? onBackground(g, row, column) : false;
    }
    bool Event_CellTextPaint(fw::Graphics& g, Int32 row, Int32 column, Int32 x, Int32 y) override {
        texts.push_back({row, column, g.Width(), g.Height(), x, y});
        return onText ? onText(g, row, column) : false;
    }
};

class ListboxTest : public ::testing::Test {
public:
    void TearDown() override { fw::testing::ClearModalAnswers(); }

    void SetUp() override {
        lb = std::make_unique<Probe>();
        lb->DefaultRowHeight(20);
    }

    QAbstractScrollArea* View() const {
        return static_cast<QAbstractScrollArea*>(lb->NativeWidget());
    }
    QWidget* Viewport() const { return View()->viewport(); }

    void Show(Int32 width, Int32 height) {
        lb->Width(width);
        lb->Height(height);
        View()->show();
        View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(View()));
        Settle();
    }

    static void Settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QImage Grab() {
        Settle();
        lb->backgrounds.clear();
        lb->texts.clear();
        return View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // A list-relative point, in the widget that receives mouse events there.
    void Click(QPoint listPoint, Qt::KeyboardModifiers mods = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = View()->childAt(listPoint);
        if (target == nullptr) {
            target = View();
        }
        QTest::mouseClick(target, button, mods, target->mapFrom(View(), listPoint));
        Settle();
    }

    // Cell (row, column) of a list without heading: border 1, rows 20 pixels high.
    QPoint CellPoint(Int32 row, Int32 column, Int32 dx = 5, Int32 dy = 5) {
        Int32 x = 1;
        for (Int32 c = 0; c < column; ++c) {
            x += lb->Column(c).WidthActual();
        }
        return {x + dx, 1 + row * 20 + dy};
    }

    static QLineEdit* FocusedEditor() {
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    std::unique_ptr<Probe> lb;
};

} // namespace listbox_test
