#pragma once

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/Types.h"
#include "framework/ui/RectControl.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QEventLoop;
class QMargins;
class QRect;
class QWidget;

namespace fw {

class MenuBar;
class WindowWidget;

// The codes of Window's Frame, as the window streams store them.
enum WindowFrame : Int32 {
    FrameDocument = 0,
    FrameMovableDialog = 1,
    FrameDialog = 2,
    FrameTool = 3,
    FramePlainBox = 4,
    FrameShadowedBox = 5,
    FrameRoundedDialog = 6,
    FrameGlobalTool = 7,
    FrameSheet = 8,
    FrameTexturedDocument = 9,
};

// A top-level window. Made with std::make_shared<T>(), then built and opened by Constructor()
// (Window.Constructor): Layout, CreateControls, each control's Open in creation order, the
// window's Open, then it shows when Visible. The framework keeps an open window; it forgets
// it at its close, and the object stays readable while someone holds it.
class Window : public Object, public std::enable_shared_from_this<Window> {
public:
    Window();
    ~Window() override;

    std::string_view ClassFullName() const override { return "Window"; }

    // Window.Constructor.
    void Constructor();

    // Building steps and events; subclasses override them.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual bool Event_CancelClose(bool /*appQuitting*/) { return false; }
    virtual void Event_Resized() {}

    // Properties of the window stream.
    Int32 Placement() const { return m_placement; } // 0 as designed, 2 centred on screen 0
    void Placement(Int32 value);
    Int32 Width() const;
    void Width(Int32 value);
    Int32 Height() const;
    void Height(Int32 value);
    // The content area's position on the screen.
    Int32 Left() const;
    void Left(Int32 value);
    Int32 Top() const;
    void Top(Int32 value);
    Int32 MinWidth() const { return m_minWidth; }
    void MinWidth(Int32 value);
    Int32 MinHeight() const { return m_minHeight; }
    void MinHeight(Int32 value);
    Int32 MaxWidth() const { return m_maxWidth; }
    void MaxWidth(Int32 value);
    Int32 MaxHeight() const { return m_maxHeight; }
    void MaxHeight(Int32 value);
    Int32 Frame() const { return m_frame; } // a WindowFrame code
    void Frame(Int32 value);
    bool Composite() const { return m_composite; }
    void Composite(bool value) { m_composite = value; }
    bool HasBackColor() const { return m_hasBackColor; }
    void HasBackColor(bool value);
    Color BackColor() const { return m_backColor; }
    void BackColor(Color value);
    const std::string& Title() const { return m_title; }
    void Title(const std::string& text);
    bool Visible() const { return m_visible; }
    void Visible(bool value);
    // Kept only: the window shows at its designed size and never takes over the screen.
    bool FullScreen() const { return m_fullScreen; }
    void FullScreen(bool value);
    bool MenuBarVisible() const { return m_menuBarVisible; }
    void MenuBarVisible(bool value);
    bool CloseButton() const { return m_closeButton; }
    void CloseButton(bool value);
    bool Resizeable() const { return m_resizeable; }
    void Resizeable(bool value);
    bool LiveResize() const { return m_liveResize; }
    void LiveResize(bool value) { m_liveResize = value; }
    bool MaximizeButton() const { return m_maximizeButton; }
    void MaximizeButton(bool value);
    bool MinimizeButton() const { return m_minimizeButton; }
    void MinimizeButton(bool value);
    Int32 MacProcId() const { return m_macProcId; }
    void MacProcId(Int32 value) { m_macProcId = value; }
    std::shared_ptr<fw::MenuBar> MenuBar() const { return m_menuBar; }
    void MenuBar(std::shared_ptr<fw::MenuBar> bar);

    // Shows the window application-modal and runs a nested event loop until it has closed
    // (or the application quits). Returns at once for a window not built or already closed.
    void ShowModal();
    void Show();
    // Closes the window: the controls' Close, then the window's Close; the framework forgets
    // it. Closing from code does not ask CancelClose; the close box and the desktop do.
    void Close();
    void Refresh(bool eraseBackground = true);
    bool IsOpen() const;

    // Window.__New: a new control of class T for this window.
    template <class T> std::unique_ptr<T> __New() { return std::make_unique<T>(); }
    // Registers the control under name; the window owns it. Returns the control.
    RectControl& _AddControl(const std::string& name, std::unique_ptr<RectControl> control);
    // nullptr when no control has that name.
    RectControl* _ControlByName(std::string_view name) const;
    // The control of that name as a T: NilObjectException when missing, IllegalCastException
    // when of another class.
    template <class T> T& ControlAs(std::string_view name) const {
        RectControl* control = _ControlByName(name);
        if (control == nullptr) {
            throw NilObjectException("The window has no control named \"" + std::string(name) +
                                     "\"");
        }
        T* typed = dynamic_cast<T*>(control);
        if (typed == nullptr) {
            throw IllegalCastException("The control \"" + std::string(name) + "\" is a " +
                                       std::string(control->ClassFullName()) +
                                       ", not the class asked for");
        }
        return *typed;
    }
    const std::vector<std::unique_ptr<RectControl>>& Controls() const { return m_controls; }

    QWidget* NativeWidget() const;

    // The QWidget that holds the controls: below the menu bar, origin of control coordinates.
    QWidget* ContentWidget() const;

private:
    friend class WindowWidget;
    friend class RectControl;
    void HandleResized();
    bool HandleCloseRequest();
    void HandleClosed();
    void UpdateTabOrder();
    // The widget that Tab (next) or Shift+Tab reaches from the focused one, or nullptr.
    QWidget* TabTarget(QWidget* focused, bool next) const;
    void ApplyFlags();
    void ApplySizeLimits();
    void ApplyBackColor();
    void ApplyMenuBar();
    void PlaceOnScreen();
    void ShowNow();
    bool IsDecorated() const;
    void FitSizeInto(const QRect& area, const QMargins& margins);
    void FitPositionInto(const QRect& area, const QMargins& margins);
    void HandleShownOnScreen();

    std::unique_ptr<WindowWidget> m_widget;
    std::vector<std::unique_ptr<RectControl>> m_controls;
    std::shared_ptr<fw::MenuBar> m_menuBar;
    Int32 m_placement = 0;
    Int32 m_minWidth = 64;
    Int32 m_minHeight = 64;
    Int32 m_maxWidth = 32000;
    Int32 m_maxHeight = 32000;
    Int32 m_frame = FrameDocument;
    bool m_composite = false;
    bool m_hasBackColor = false;
    Color m_backColor = Color(0xFFFFFF);
    std::string m_title;
    bool m_visible = true;
    bool m_fullScreen = false;
    bool m_menuBarVisible = true;
    bool m_closeButton = true;
    bool m_resizeable = true;
    bool m_liveResize = true;
    bool m_maximizeButton = true;
    bool m_minimizeButton = true;
    Int32 m_macProcId = 0;
    bool m_built = false;
    // Content area size and screen position.
    Int32 m_width = 300;
    Int32 m_height = 300;
    Int32 m_left = 0;
    Int32 m_top = 0;
    bool m_positionSet = false;
    bool m_constructing = false;
    bool m_closed = false;
    bool m_closingByCode = false;
    bool m_showPending = false;
    QEventLoop* m_modalLoop = nullptr;

    void ContentSizeChanged(Int32 width, Int32 height, bool fromQt);
    Int32 MenuBarHeight() const;
};

using WindowPtr = std::shared_ptr<Window>;

// The open window registered under that full class name ("wCal.wCal"), or nullptr.
WindowPtr _GetImplicitWindow(std::string_view fullClassName);
// The implicit instance of a window class: the open window of that class, else a new one,
// built and opened.
template <class W> std::shared_ptr<W> ImplicitInstance(std::string_view fullClassName) {
    if (auto open = std::dynamic_pointer_cast<W>(_GetImplicitWindow(fullClassName))) {
        return open;
    }
    auto window = std::make_shared<W>();
    window->Constructor();
    return window;
}
// Every open window, in opening order.
std::vector<WindowPtr> OpenWindows();
// Closes every open window (raising the controls' and the window's Close, without asking
// CancelClose) and releases the windows nobody else holds. The runtime calls it when the event
// loop has ended; test mains call it before their QApplication goes.
void CloseAllWindows();

} // namespace fw
