#pragma once

#include <QPointer>
#include <QWidget>

class QMenuBar;

namespace fw {

class Window;

// The native top-level widget of a fw::Window: a menu bar (when the window shows one) over the
// content area that holds the controls. Qt's events reach the window through it.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window* owner);
    ~WindowWidget() override;

    QWidget* Content() const { return m_content; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    // Replaces the shown menu bar (nullptr: none); the widget owns the bar.
    void SetMenuBar(QMenuBar* bar);
    int MenuBarHeight() const;
    // The owner is gone: Qt's later events no longer reach it.
    void Detach() { m_owner = nullptr; }
    // Places the menu bar and the content area inside the current size.
    void LayoutChildren();
    // Tells the owner when the window is next on the screen, with the desktop's frame.
    void WatchFirstExposure();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Tab moves between the controls by their TabIndex.
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Window* m_owner;
    QWidget* m_content;
    QPointer<QMenuBar> m_menuBar;
    bool m_exposed = false;
};

} // namespace fw
