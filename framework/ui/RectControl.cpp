#include "framework/ui/RectControl.h"

#include "framework/core/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Window.h"

#include <QWidget>
#include <algorithm>

namespace fw {

RectControl::RectControl(std::unique_ptr<QWidget> widget) : m_unattached(std::move(widget)) {
    if (!m_unattached) {
        m_unattached = std::make_unique<QWidget>();
    }
    m_widget = m_unattached.get();
    // Shown only once it sits in its window (AttachTo): without a parent it would become a
    // window of its own.
    ApplyGeometry();
    m_widget->setEnabled(m_enabled);
    RectControl::FontChanged();
}

RectControl::~RectControl() {
    if (!m_unattached) {
        delete m_widget.data();
    }
}

void RectControl::Name(const std::string& name) {
    m_name = name;
}

void RectControl::Left(Int32 value) {
    m_left = value;
    ApplyGeometry();
}

void RectControl::Top(Int32 value) {
    m_top = value;
    ApplyGeometry();
}

void RectControl::Width(Int32 value) {
    m_width = std::max<Int32>(0, value);
    ApplyGeometry();
}

void RectControl::Height(Int32 value) {
    m_height = std::max<Int32>(0, value);
    ApplyGeometry();
}

void RectControl::Enabled(bool value) {
    m_enabled = value;
    m_widget->setEnabled(value);
}

void RectControl::Visible(bool value) {
    m_visible = value;
    if (m_window != nullptr) {
        m_widget->setVisible(value);
    }
}

void RectControl::TabIndex(Int32 value) {
    m_tabIndex = value;
    if (m_window != nullptr) {
        m_window->UpdateTabOrder();
    }
}

void RectControl::TabStop(bool value) {
    m_tabStop = value;
    ApplyTabStop();
}

void RectControl::HelpTag(const std::string& text) {
    m_helpTag = text;
    m_widget->setToolTip(QString::fromStdString(text));
}

void RectControl::TextUnit(FontUnits unit) {
    m_textUnit = unit;
    FontChanged();
}

void RectControl::TextFont(const std::string& name) {
    m_textFont = name;
    FontChanged();
}

void RectControl::TextSize(double size) {
    m_textSize = size < 0 ? 0 : size;
    FontChanged();
}

void RectControl::Bold(bool value) {
    m_bold = value;
    FontChanged();
}

void RectControl::Italic(bool value) {
    m_italic = value;
    FontChanged();
}

void RectControl::Underline(bool value) {
    m_underline = value;
    FontChanged();
}

void RectControl::FontChanged() {
    m_widget->setFont(MakeFont(m_textFont, m_textSize, m_bold, m_italic, m_underline, m_textUnit));
}

void RectControl::AttachTo(fw::Window& window, QWidget& parent) {
    m_window = &window;
    m_widget->setParent(&parent);
    [[maybe_unused]] QWidget* const nowTheParents = m_unattached.release();
    ApplyGeometry();
    m_widget->setVisible(m_visible);
}

void RectControl::ApplyGeometry() {
    m_widget->setGeometry(m_left, m_top, m_width, m_height);
}

void RectControl::ApplyTabStop() {
    // Only the tab bit: a control that takes no focus at all keeps taking none.
    const int policy = static_cast<int>(m_widget->focusPolicy());
    if (!m_tabStop) {
        m_widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy & ~Qt::TabFocus));
    } else if (policy != Qt::NoFocus) {
        m_widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy | Qt::TabFocus));
    }
}

void RectControl::FollowResize(Int32 dw, Int32 dh) {
    if (m_lockRight) {
        if (m_lockLeft) {
            m_width = std::max<Int32>(0, m_width + dw);
        } else {
            m_left += dw;
        }
    }
    if (m_lockBottom) {
        if (m_lockTop) {
            m_height = std::max<Int32>(0, m_height + dh);
        } else {
            m_top += dh;
        }
    }
    ApplyGeometry();
}

void RegisterRectControlClasses() {
    using C = RectControl;
    auto& registry = ClassRegistry::Instance();
    registry.Register(ClassInfo{"Object", "", {}});
    registry.Register(ClassInfo{
        "Control",
        "Object",
        {
            Property<C, std::string>("Name", [](C& c, const std::string& v) { c.Name(v); }),
            Property<C, Int32>("Index", [](C& c, Int32 v) { c.Index(v); }),
            Property<C, Int32>("TabPanelIndex", [](C& c, Int32 v) { c.TabPanelIndex(v); }),
        }});
    registry.Register(ClassInfo{
        "RectControl",
        "Control",
        {
            Property<C, bool>("AutoDeactivate", [](C& c, bool v) { c.AutoDeactivate(v); }),
            Property<C, bool>("Enabled", [](C& c, bool v) { c.Enabled(v); }),
            Property<C, bool>("LockBottom", [](C& c, bool v) { c.LockBottom(v); }),
            Property<C, bool>("LockLeft", [](C& c, bool v) { c.LockLeft(v); }),
            Property<C, bool>("LockRight", [](C& c, bool v) { c.LockRight(v); }),
            Property<C, bool>("LockTop", [](C& c, bool v) { c.LockTop(v); }),
            Property<C, bool>("TabStop", [](C& c, bool v) { c.TabStop(v); }),
            Property<C, bool>("Visible", [](C& c, bool v) { c.Visible(v); }),
            Property<C, Int32>("Height", [](C& c, Int32 v) { c.Height(v); }),
            Property<C, Int32>("Left", [](C& c, Int32 v) { c.Left(v); }),
            Property<C, Int32>("TabIndex", [](C& c, Int32 v) { c.TabIndex(v); }),
            Property<C, Int32>("Top", [](C& c, Int32 v) { c.Top(v); }),
            Property<C, Int32>("Width", [](C& c, Int32 v) { c.Width(v); }),
            Property<C, std::string>("HelpTag", [](C& c, const std::string& v) { c.HelpTag(v); }),
            Property<C, std::string>("InitialParent",
                                     [](C& c, const std::string& v) { c.InitialParent(v); }),
        }});
}

} // namespace fw
