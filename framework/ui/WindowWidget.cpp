// The native top-level widget of a window: its menu bar, content area and Qt's events.

#include "framework/ui/WindowWidget.h"

#include "framework/ui/Runtime.h"
#include "framework/ui/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QWindow>
#include <algorithm>

namespace fw {

WindowWidget::WindowWidget(Window* owner)
    : QWidget(nullptr, Qt::Window), m_owner(owner), m_content(new QWidget(this)) {}

WindowWidget::~WindowWidget() {
    m_owner = nullptr;
}

void WindowWidget::SetMenuBar(QMenuBar* bar) {
    if (m_menuBar != bar) {
        delete m_menuBar.data();
        m_menuBar = bar;
    }
    if (bar != nullptr) {
        bar->setParent(this);
        bar->show();
    }
    LayoutChildren();
}

int WindowWidget::MenuBarHeight() const {
    return m_menuBar != nullptr ? m_menuBar->sizeHint().height() : 0;
}

void WindowWidget::LayoutChildren() {
    const int bar = MenuBarHeight();
    if (m_menuBar != nullptr) {
        m_menuBar->setGeometry(0, 0, width(), bar);
    }
    m_content->setGeometry(0, bar, width(), std::max(0, height() - bar));
}

void WindowWidget::WatchFirstExposure() {
    m_exposed = false;
    if (QWindow* handle = windowHandle()) {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
}

bool WindowWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() && !m_exposed &&
        windowHandle()->isExposed()) {
        m_exposed = true;
        if (m_owner != nullptr) {
            Window* owner = m_owner;
            CallIntoSystem([owner] { owner->HandleShownOnScreen(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutChildren();
    if (m_owner != nullptr) {
        m_owner->HandleResized();
    }
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (m_owner == nullptr) {
        event->accept();
        return;
    }
    if (!m_owner->m_closingByCode && m_owner->HandleCloseRequest()) {
        event->ignore();
        return;
    }
    event->accept();
    m_owner->HandleClosed();
}

bool WindowWidget::focusNextPrevChild(bool next) {
    if (m_owner != nullptr) {
        if (QWidget* target = m_owner->TabTarget(QApplication::focusWidget(), next)) {
            target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

} // namespace fw
