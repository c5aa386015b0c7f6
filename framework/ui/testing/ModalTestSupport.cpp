#include "framework/ui/testing/ModalTestSupport.h"

#include "framework/ui/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>

namespace fw::testing {

namespace {

constexpr int kPollMs = 10;

struct Expectation {
    enum class Kind { MessageBox, PopupMenu, ModalWindow } kind;
    std::function<void(QMessageBox&)> onBox;
    int popupIndex = -1;
    std::function<void(fw::Window&)> onWindow;
    int timeoutMs = kDefaultModalTimeoutMs;
    QElapsedTimer waiting; // runs from when the expectation was queued

    const char* Describe() const {
        switch (kind) {
        case Kind::MessageBox:
            return "a message box";
        case Kind::PopupMenu:
            return "a pop-up menu";
        case Kind::ModalWindow:
            return "a modal window";
        }
        return "a modal widget";
    }
};

std::deque<std::shared_ptr<Expectation>>& Queue() {
    static std::deque<std::shared_ptr<Expectation>> queue;
    return queue;
}

QPointer<QTimer>& Poller() {
    static QPointer<QTimer> timer;
    return timer;
}

QMessageBox* ActiveMessageBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box != nullptr && box->isVisible() ? box : nullptr;
}

QMenu* ActiveMenu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu != nullptr && menu->isVisible() ? menu : nullptr;
}

fw::WindowPtr ActiveModalWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return nullptr;
    }
    for (const fw::WindowPtr& window : fw::OpenWindows()) {
        if (window->NativeWidget() == modal && modal->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

void DismissMessageBox(QMessageBox* box) {
    QAbstractButton* button = box->button(QMessageBox::Ok);
    if (button == nullptr) {
        button = box->defaultButton();
    }
    if (button == nullptr && !box->buttons().isEmpty()) {
        button = box->buttons().first();
    }
    QPointer<QMessageBox> guard(box);
    if (button != nullptr) {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    if (guard && guard->isVisible()) {
        guard->reject();
    }
}

void ChooseFromMenu(QMenu* menu, int index) {
    QPointer<QMenu> guard(menu);
    const QList<QAction*> actions = menu->actions();
    if (index >= 0 && index < actions.size()) {
        QAction* action = actions.at(index);
        const QRect place = menu->actionGeometry(action);
        QTest::mouseMove(menu, place.center());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, place.center());
        if (guard && guard->isVisible() && action->isEnabled() && !action->isSeparator() &&
            action->isVisible()) {
            guard->setActiveAction(action);
            QTest::keyClick(guard, Qt::Key_Return);
        }
    }
    if (guard && guard->isVisible()) {
        QTest::keyClick(guard, Qt::Key_Escape);
    }
    if (guard && guard->isVisible()) {
        guard->close();
    }
}

// Unblocks a test whose expectation failed: whatever modal widget is up goes.
void CloseActiveModal() {
    if (QMenu* menu = ActiveMenu()) {
        menu->close();
        return;
    }
    if (fw::WindowPtr window = ActiveModalWindow()) {
        window->Close();
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->reject();
        return;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
    }
}

void Remove(const std::shared_ptr<Expectation>& expectation) {
    auto& queue = Queue();
    queue.erase(std::remove(queue.begin(), queue.end(), expectation), queue.end());
}

// The answer runs outside the timer's own callback (a timer does not fire again while its
// callback runs, and an answer may open a nested loop that needs the next answer). The
// expectation leaves the queue first, so the others can answer inside that nested loop.
void Answer(const std::shared_ptr<Expectation>& expectation, std::function<void()> action) {
    Remove(expectation);
    QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
}

void Poll() {
    auto& queue = Queue();
    if (queue.empty()) {
        if (Poller()) {
            Poller()->stop();
        }
        return;
    }
    // The modal widget on top decides which kind of answer is due; the first expectation of
    // that kind answers it.
    Expectation::Kind due{};
    QPointer<QMessageBox> box;
    QPointer<QMenu> menu;
    fw::WindowPtr window;
    if ((menu = ActiveMenu())) {
        due = Expectation::Kind::PopupMenu;
    } else if ((box = ActiveMessageBox())) {
        due = Expectation::Kind::MessageBox;
    } else if ((window = ActiveModalWindow())) {
        due = Expectation::Kind::ModalWindow;
    }
    if (menu || box || window) {
        for (const std::shared_ptr<Expectation>& next : queue) {
            if (next->kind != due) {
                continue;
            }
            switch (due) {
            case Expectation::Kind::MessageBox:
                Answer(next, [next, box] {
                    if (box && next->onBox) {
                        next->onBox(*box);
                    }
                    if (box && box->isVisible()) {
                        DismissMessageBox(box);
                    }
                });
                break;
            case Expectation::Kind::PopupMenu:
                Answer(next, [next, menu] {
                    if (menu) {
                        ChooseFromMenu(menu, next->popupIndex);
                    }
                });
                break;
            case Expectation::Kind::ModalWindow:
                Answer(next, [next, window] {
                    if (next->onWindow) {
                        next->onWindow(*window);
                    }
                });
                break;
            }
            return;
        }
    }
    for (const std::shared_ptr<Expectation>& next : std::deque(queue)) {
        if (next->waiting.elapsed() > next->timeoutMs) {
            Remove(next);
            ADD_FAILURE() << "Expected " << next->Describe() << " within " << next->timeoutMs
                          << " ms; none came";
            CloseActiveModal();
        }
    }
}

void Enqueue(std::shared_ptr<Expectation> expectation) {
    expectation->waiting.start();
    Queue().push_back(std::move(expectation));
    QPointer<QTimer>& poller = Poller();
    if (!poller) {
        poller = new QTimer(qApp);
        poller->setInterval(kPollMs);
        QObject::connect(poller, &QTimer::timeout, [] { Poll(); });
    }
    if (!poller->isActive()) {
        poller->start();
    }
}

} // namespace

void AnswerNextMessageBox(std::function<void(QMessageBox&)> act, int timeoutMs) {
    auto expectation = std::make_shared<Expectation>();
    expectation->kind = Expectation::Kind::MessageBox;
    expectation->onBox = std::move(act);
    expectation->timeoutMs = timeoutMs;
    Enqueue(std::move(expectation));
}

std::shared_ptr<MessageBoxRecord> ExpectMessageBox(int timeoutMs) {
    auto record = std::make_shared<MessageBoxRecord>();
    AnswerNextMessageBox(
        [record](QMessageBox& box) {
            record->title = box.windowTitle().toStdString();
            record->text = box.text().toStdString();
            DismissMessageBox(&box);
            record->answered = true;
        },
        timeoutMs);
    return record;
}

void AnswerNextPopupMenu(int index, int timeoutMs) {
    auto expectation = std::make_shared<Expectation>();
    expectation->kind = Expectation::Kind::PopupMenu;
    expectation->popupIndex = index;
    expectation->timeoutMs = timeoutMs;
    Enqueue(std::move(expectation));
}

void OnNextModalWindow(std::function<void(fw::Window&)> act, int timeoutMs) {
    auto expectation = std::make_shared<Expectation>();
    expectation->kind = Expectation::Kind::ModalWindow;
    expectation->onWindow = std::move(act);
    expectation->timeoutMs = timeoutMs;
    Enqueue(std::move(expectation));
}

int PendingModalAnswers() {
    return static_cast<int>(Queue().size());
}

bool WaitForModalAnswers(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!Queue().empty() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPollMs);
        QTest::qWait(1);
    }
    // Let the last answer's queued work finish.
    QCoreApplication::processEvents();
    return Queue().empty();
}

void ClearModalAnswers() {
    Queue().clear();
}

void InstallModalWatchdog(int timeoutMs) {
    static QPointer<QTimer> watchdog;
    if (watchdog) {
        return;
    }
    watchdog = new QTimer(qApp);
    watchdog->setInterval(100);
    static QPointer<QWidget> seen;
    static QElapsedTimer since;
    QObject::connect(watchdog, &QTimer::timeout, [timeoutMs] {
        QWidget* up = QApplication::activePopupWidget();
        if (up == nullptr) {
            up = QApplication::activeModalWidget();
        }
        if (up == nullptr || !Queue().empty()) {
            seen = nullptr;
            return;
        }
        if (seen != up) {
            seen = up;
            since.start();
            return;
        }
        if (since.elapsed() > timeoutMs) {
            ADD_FAILURE() << "A modal widget (" << up->metaObject()->className()
                          << ") stayed up with nothing to answer it; closed";
            seen = nullptr;
            CloseActiveModal();
        }
    });
    watchdog->start();
}

} // namespace fw::testing
