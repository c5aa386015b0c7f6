#include "framework/ui/Window.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/Text.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/ModalDisplay.h"
#include "framework/ui/QtConvert.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/RuntimeSupport.h"
#include "framework/ui/WindowWidget.h"

#include <QApplication>
#include <QEventLoop>
#include <QMenuBar>
#include <QPalette>
#include <algorithm>

namespace fw {

// Window mappings on this desktop:
// - Frame: document (and global tool, sheet, textured document) a document window; movable
//   dialog, dialog and rounded dialog a dialog; tool a tool window; plain and shadowed box a
//   borderless box (a dialog without decorations) with a 1-pixel edge of its own, the shadowed
//   one with the drop shadow of a desktop that draws one.
// - Placement: 1 to 3 centre the window on the main screen's available area when it first
//   shows, unless code has set Left or Top; 0 and 4 show it where Left and Top put it, or
//   where the desktop places it when code set neither.
// - FullScreen is kept but does not take over the screen: the window shows at its designed
//   size, as on a desktop that offers no full-screen mode. Composite, LiveResize and
//   MacProcId are kept only.
// - Whatever its placement, a window's frame stays inside the available area of its screen; a
//   window too large for it is shrunk, never below its minimum size.
// - A window built visible is shown when control returns to the event loop, so that code that
//   places it or shows it modally right after building (the pickers) maps it only once.
// - Left and Top are the content area's position on the screen, below any menu bar.

namespace {

std::vector<WindowPtr>& OpenList() {
    static std::vector<WindowPtr> windows;
    return windows;
}

std::vector<WindowPtr>& ClosedList() {
    static std::vector<WindowPtr> windows;
    return windows;
}

bool g_releaseScheduled = false;

void ReleaseClosedWindowsNow() {
    g_releaseScheduled = false;
    if (detail::SystemCallDepth() > 0) {
        return; // CallIntoSystem schedules again when the outermost call returns
    }
    std::vector<WindowPtr> closed;
    closed.swap(ClosedList());
    closed.clear();
}

} // namespace

namespace detail {

bool HasClosedWindows() {
    return !ClosedList().empty();
}

void ScheduleClosedWindowRelease() {
    if (g_releaseScheduled || QCoreApplication::instance() == nullptr) {
        return;
    }
    g_releaseScheduled = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { ReleaseClosedWindowsNow(); }, Qt::QueuedConnection);
}

} // namespace detail

// ---------------------------------------------------------------------------------------------

Window::Window() : m_widget(std::make_unique<WindowWidget>(this)) {
    ApplyFlags();
    ApplySizeLimits();
    m_widget->resize(m_width, m_height);
}

Window::~Window() {
    // The controls own their widgets, which live inside the window's widget: they go first.
    m_controls.clear();
    if (m_widget) {
        m_widget->Detach();
        m_widget.reset();
    }
}

void Window::Constructor() {
    if (m_built || m_constructing) {
        return;
    }
    WindowPtr self = weak_from_this().lock();
    if (!self) {
        throw RuntimeException("A window must be made with std::make_shared before it is built");
    }
    m_constructing = true;
    OpenList().push_back(self);
    try {
        Layout();
        CreateControls();
        UpdateTabOrder();
        // Indexed: an Open handler may add controls.
        for (size_t i = 0; i < m_controls.size(); ++i) {
            m_controls[i]->Event_Open();
        }
        Event_Open();
    } catch (...) {
        m_constructing = false;
        m_closed = true;
        auto& list = OpenList();
        list.erase(std::remove(list.begin(), list.end(), self), list.end());
        throw;
    }
    m_constructing = false;
    m_built = true;
    if (m_visible && !m_closed) {
        m_showPending = true;
        PlaceOnScreen();
        (void)m_widget->winId(); // the native window exists, unmapped, until the show
        QMetaObject::invokeMethod(
            m_widget.get(),
            [this] {
                if (m_showPending && !m_closed) {
                    CallIntoSystem([this] { ShowNow(); });
                }
            },
            Qt::QueuedConnection);
    }
}

void Window::ShowNow() {
    m_showPending = false;
    PlaceOnScreen();
    m_widget->show();
    m_widget->WatchFirstExposure();
}

// --- properties ------------------------------------------------------------------------------

void Window::Placement(Int32 value) {
    m_placement = value;
}

Int32 Window::Width() const {
    return m_width;
}

Int32 Window::Height() const {
    return m_height;
}

void Window::Width(Int32 value) {
    Int32 width = std::max<Int32>(0, value);
    if (m_resizeable && m_minWidth <= m_maxWidth) {
        width = std::clamp(width, std::max<Int32>(0, m_minWidth), m_maxWidth);
    }
    ContentSizeChanged(width, m_height, false);
}

void Window::Height(Int32 value) {
    Int32 height = std::max<Int32>(0, value);
    if (m_resizeable && m_minHeight <= m_maxHeight) {
        height = std::clamp(height, std::max<Int32>(0, m_minHeight), m_maxHeight);
    }
    ContentSizeChanged(m_width, height, false);
}

Int32 Window::Left() const {
    if (m_widget->isVisible()) {
        return m_widget->geometry().x();
    }
    return m_left;
}

Int32 Window::Top() const {
    if (m_widget->isVisible()) {
        return m_widget->geometry().y() + MenuBarHeight();
    }
    return m_top;
}

void Window::Left(Int32 value) {
    m_left = value;
    m_top = Top();
    m_positionSet = true;
    m_widget->setGeometry(m_left, m_top - MenuBarHeight(), m_width, m_height + MenuBarHeight());
}

void Window::Top(Int32 value) {
    m_left = Left();
    m_top = value;
    m_positionSet = true;
    m_widget->setGeometry(m_left, m_top - MenuBarHeight(), m_width, m_height + MenuBarHeight());
}

void Window::MinWidth(Int32 value) {
    m_minWidth = value;
    ApplySizeLimits();
}

void Window::MinHeight(Int32 value) {
    m_minHeight = value;
    ApplySizeLimits();
}

void Window::MaxWidth(Int32 value) {
    m_maxWidth = value;
    ApplySizeLimits();
}

void Window::MaxHeight(Int32 value) {
    m_maxHeight = value;
    ApplySizeLimits();
}

void Window::Frame(Int32 value) {
    m_frame = value;
    ApplyFlags();
}

void Window::HasBackColor(bool value) {
    m_hasBackColor = value;
    ApplyBackColor();
}

void Window::BackColor(Color value) {
    m_backColor = value;
    ApplyBackColor();
}

void Window::Title(const std::string& text) {
    m_title = text;
    m_widget->setWindowTitle(QString::fromStdString(text));
}

void Window::Visible(bool value) {
    m_visible = value;
    if (!m_built || m_closed) {
        return; // shown at the end of Constructor
    }
    if (value) {
        ShowNow();
    } else {
        m_showPending = false;
        m_widget->hide();
    }
}

void Window::FullScreen(bool value) {
    m_fullScreen = value;
}

void Window::MenuBarVisible(bool value) {
    if (m_menuBarVisible == value) {
        return;
    }
    m_menuBarVisible = value;
    ApplyMenuBar();
}

void Window::CloseButton(bool value) {
    m_closeButton = value;
    ApplyFlags();
}

void Window::Resizeable(bool value) {
    m_resizeable = value;
    ApplySizeLimits();
}

void Window::MaximizeButton(bool value) {
    m_maximizeButton = value;
    ApplyFlags();
}

void Window::MinimizeButton(bool value) {
    m_minimizeButton = value;
    ApplyFlags();
}

void Window::MenuBar(std::shared_ptr<fw::MenuBar> bar) {
    m_menuBar = std::move(bar);
    ApplyMenuBar();
}

// --- native widget -----------------------------------------------------------------------------

QWidget* Window::NativeWidget() const {
    return m_widget.get();
}

QWidget* Window::ContentWidget() const {
    return m_widget->Content();
}

Int32 Window::MenuBarHeight() const {
    return m_widget->MenuBarHeight();
}

void Window::ApplyBackColor() {
    QWidget* content = m_widget->Content();
    if (m_hasBackColor) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, ToQColor(m_backColor));
        content->setPalette(palette);
        content->setAutoFillBackground(true);
    } else {
        content->setPalette(QPalette());
        content->setAutoFillBackground(false);
    }
}

void Window::ApplyMenuBar() {
    QMenuBar* bar = nullptr;
    if (m_menuBar && m_menuBarVisible) {
        bar = m_menuBar->CreateNativeMenuBar(m_widget.get());
    }
    m_widget->SetMenuBar(bar);
    // The content area keeps its size; the window grows or shrinks by the bar.
    ApplySizeLimits();
    m_widget->resize(m_width, m_height + MenuBarHeight());
    m_widget->LayoutChildren();
}

// --- closing -----------------------------------------------------------------------------------

bool Window::HandleCloseRequest() {
    return CallIntoSystemOr<bool>(false, [this] { return Event_CancelClose(false); });
}

void Window::HandleClosed() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    WindowPtr self = weak_from_this().lock();
    for (size_t i = 0; i < m_controls.size(); ++i) {
        RectControl* control = m_controls[i].get();
        CallIntoSystem([control] { control->Event_Close(); });
    }
    CallIntoSystem([this] { Event_Close(); });
    auto& list = OpenList();
    list.erase(std::remove(list.begin(), list.end(), self), list.end());
    if (self) {
        ClosedList().push_back(std::move(self));
        if (detail::SystemCallDepth() == 0) {
            detail::ScheduleClosedWindowRelease();
        }
    }
    if (m_modalLoop != nullptr) {
        m_modalLoop->quit();
    }
}

void Window::Close() {
    if (m_closed) {
        return;
    }
    // Closing from code does not ask CancelClose: only the user's and the desktop's requests do.
    WindowPtr self = weak_from_this().lock();
    m_closingByCode = true;
    m_widget->close();
    m_closingByCode = false;
    if (!m_closed) {
        m_widget->hide();
        HandleClosed();
    }
}

bool Window::IsOpen() const {
    return (m_built || m_constructing) && !m_closed;
}

// --- modal display -------------------------------------------------------------------------------

void Window::ShowModal() {
    WindowPtr self = weak_from_this().lock();
    if (!m_built || m_closed || m_modalLoop != nullptr) {
        return;
    }
    m_visible = true;
    m_showPending = false;
    // Modality takes effect when the window is shown: one already on screen shows afresh.
    m_widget->setWindowModality(Qt::ApplicationModal);
    PlaceOnScreen();
    detail::ShowFresh(*m_widget);
    m_widget->WatchFirstExposure();
    QEventLoop loop;
    m_modalLoop = &loop;
    detail::RunModalLoop(*m_widget, loop, [this] { Close(); });
    m_modalLoop = nullptr;
    if (m_closed) {
        m_widget->setWindowModality(Qt::NonModal);
    }
}

void Window::Show() {
    if (m_closed) {
        return;
    }
    Visible(true);
    m_widget->raise();
    m_widget->activateWindow();
}

void Window::Refresh(bool /*eraseBackground*/) {
    m_widget->update();
    for (auto& control : m_controls) {
        control->NativeWidget()->update();
    }
}

// --- controls ------------------------------------------------------------------------------------

RectControl& Window::_AddControl(const std::string& name, std::unique_ptr<RectControl> control) {
    if (!control) {
        throw NilObjectException("No control to add under the name \"" + name + "\"");
    }
    control->Name(name);
    control->AttachTo(*this, *m_widget->Content());
    m_controls.push_back(std::move(control));
    UpdateTabOrder();
    return *m_controls.back();
}

RectControl* Window::_ControlByName(std::string_view name) const {
    for (const auto& control : m_controls) {
        if (EqualsIgnoreCase(control->Name(), name)) {
            return control.get();
        }
    }
    return nullptr;
}

void Window::UpdateTabOrder() {
    // Qt's own chain as well, for what walks it; Tab itself goes through TabTarget.
    std::vector<RectControl*> order;
    order.reserve(m_controls.size());
    for (const auto& control : m_controls) {
        order.push_back(control.get());
    }
    std::stable_sort(order.begin(), order.end(), [](const RectControl* a, const RectControl* b) {
        return a->TabIndex() < b->TabIndex();
    });
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1]->NativeWidget(), order[i]->NativeWidget());
    }
}

QWidget* Window::TabTarget(QWidget* focused, bool next) const {
    std::vector<RectControl*> order;
    for (const auto& control : m_controls) {
        QWidget* widget = control->NativeWidget();
        if (control->TabStop() && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
            widget->isVisible()) {
            order.push_back(control.get());
        }
    }
    if (order.empty()) {
        return nullptr;
    }
    std::stable_sort(order.begin(), order.end(), [](const RectControl* a, const RectControl* b) {
        return a->TabIndex() < b->TabIndex();
    });
    // The control that holds the focus (its widget or a part of it, such as an editor).
    auto current = order.end();
    for (auto it = order.begin(); it != order.end(); ++it) {
        QWidget* widget = (*it)->NativeWidget();
        if (focused != nullptr && (widget == focused || widget->isAncestorOf(focused))) {
            current = it;
            break;
        }
    }
    if (current == order.end()) {
        return (next ? order.front() : order.back())->NativeWidget();
    }
    const auto size = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t index = current - order.begin();
    index = next ? (index + 1) % size : (index + size - 1) % size;
    return order[static_cast<size_t>(index)]->NativeWidget();
}

// --- the list of open windows ----------------------------------------------------------------

WindowPtr _GetImplicitWindow(std::string_view fullClassName) {
    for (const WindowPtr& window : OpenList()) {
        if (window->ClassFullName() == fullClassName) {
            return window;
        }
    }
    return nullptr;
}

std::vector<WindowPtr> OpenWindows() {
    return OpenList();
}

void CloseAllWindows() {
    // A Close handler may open or close others: take them one at a time from the end.
    for (size_t guard = 0; !OpenList().empty() && guard < 10000; ++guard) {
        WindowPtr window = OpenList().back();
        window->Close();
        if (!OpenList().empty() && OpenList().back() == window) {
            OpenList().pop_back(); // a window that would not close still goes
        }
    }
    if (detail::SystemCallDepth() == 0) {
        std::vector<WindowPtr> closed;
        closed.swap(ClosedList());
    }
}

// --- class registration ---------------------------------------------------------------------

void RegisterWindowClass() {
    using W = Window;
    ClassRegistry::Instance().Register(ClassInfo{
        "Window",
        "Object",
        {
            Property<W, Int32>("Placement", [](W& w, Int32 v) { w.Placement(v); }),
            Property<W, Int32>("Width", [](W& w, Int32 v) { w.Width(v); }),
            Property<W, Int32>("Height", [](W& w, Int32 v) { w.Height(v); }),
            Property<W, Int32>("MinWidth", [](W& w, Int32 v) { w.MinWidth(v); }),
            Property<W, Int32>("MinHeight", [](W& w, Int32 v) { w.MinHeight(v); }),
            Property<W, Int32>("MaxWidth", [](W& w, Int32 v) { w.MaxWidth(v); }),
            Property<W, Int32>("MaxHeight", [](W& w, Int32 v) { w.MaxHeight(v); }),
            Property<W, Int32>("Frame", [](W& w, Int32 v) { w.Frame(v); }),
            Property<W, bool>("Composite", [](W& w, bool v) { w.Composite(v); }),
            Property<W, bool>("HasBackColor", [](W& w, bool v) { w.HasBackColor(v); }),
            Property<W, Color>("BackColor", [](W& w, Color v) { w.BackColor(v); }),
            Property<W, std::string>("Title", [](W& w, const std::string& v) { w.Title(v); }),
            Property<W, bool>("Visible", [](W& w, bool v) { w.Visible(v); }),
            Property<W, bool>("FullScreen", [](W& w, bool v) { w.FullScreen(v); }),
            Property<W, bool>("MenuBarVisible", [](W& w, bool v) { w.MenuBarVisible(v); }),
            Property<W, bool>("CloseButton", [](W& w, bool v) { w.CloseButton(v); }),
            Property<W, bool>("Resizeable", [](W& w, bool v) { w.Resizeable(v); }),
            Property<W, bool>("LiveResize", [](W& w, bool v) { w.LiveResize(v); }),
            Property<W, bool>("MaximizeButton", [](W& w, bool v) { w.MaximizeButton(v); }),
            Property<W, bool>("MinimizeButton", [](W& w, bool v) { w.MinimizeButton(v); }),
            Property<W, Int32>("MacProcId", [](W& w, Int32 v) { w.MacProcId(v); }),
        }});
    // The list of open windows exists from here on.
    (void)OpenList();
}

} // namespace fw
