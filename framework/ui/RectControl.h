#pragma once

#include "framework/core/Object.h"
#include "framework/core/Types.h"

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class Window;

enum class FontUnits : std::uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

// A control with a place in its window. The framework object keeps every property and
// mirrors it onto its native widget; the widget is made by the subclass's constructor.
class RectControl : public Object {
public:
    ~RectControl() override;

    std::string_view ClassFullName() const override { return "RectControl"; }

    // Control
    const std::string& Name() const { return m_name; }
    void Name(const std::string& name);
    Int32 Index() const { return m_index; }
    void Index(Int32 value) { m_index = value; }
    Int32 TabPanelIndex() const { return m_tabPanelIndex; }
    void TabPanelIndex(Int32 value) { m_tabPanelIndex = value; }

    // Geometry, relative to the window's content area.
    Int32 Left() const { return m_left; }
    void Left(Int32 value);
    Int32 Top() const { return m_top; }
    void Top(Int32 value);
    Int32 Width() const { return m_width; }
    void Width(Int32 value);
    Int32 Height() const { return m_height; }
    void Height(Int32 value);

    // A control locked left and right (or top and bottom) grows with its window.
    bool LockLeft() const { return m_lockLeft; }
    void LockLeft(bool value) { m_lockLeft = value; }
    bool LockTop() const { return m_lockTop; }
    void LockTop(bool value) { m_lockTop = value; }
    bool LockRight() const { return m_lockRight; }
    void LockRight(bool value) { m_lockRight = value; }
    bool LockBottom() const { return m_lockBottom; }
    void LockBottom(bool value) { m_lockBottom = value; }

    bool Enabled() const { return m_enabled; }
    void Enabled(bool value);
    bool Visible() const { return m_visible; }
    void Visible(bool value);
    Int32 TabIndex() const { return m_tabIndex; }
    void TabIndex(Int32 value);
    bool TabStop() const { return m_tabStop; }
    void TabStop(bool value);
    const std::string& HelpTag() const { return m_helpTag; }
    void HelpTag(const std::string& text);
    bool AutoDeactivate() const { return m_autoDeactivate; }
    void AutoDeactivate(bool value) { m_autoDeactivate = value; }
    const std::string& InitialParent() const { return m_initialParent; }
    void InitialParent(const std::string& value) { m_initialParent = value; }

    // Font of the control's text.
    FontUnits TextUnit() const { return m_textUnit; }
    void TextUnit(FontUnits unit);
    const std::string& TextFont() const { return m_textFont; }
    void TextFont(const std::string& name);
    double TextSize() const { return m_textSize; } // 0 = the framework's default size
    void TextSize(double size);
    bool Bold() const { return m_bold; }
    void Bold(bool value);
    bool Italic() const { return m_italic; }
    void Italic(bool value);
    bool Underline() const { return m_underline; }
    void Underline(bool value);

    // The window the control was added to, or nullptr before _AddControl.
    fw::Window* Window() const { return m_window; }

    // Raised by the framework after the window created the control and applied its
    // designed properties, before the window's Open.
    virtual void Event_Open() {}
    virtual void Event_Close() {}

    // nullptr only once something deleted the widget from outside (its parent going first).
    QWidget* NativeWidget() const { return m_widget.data(); }

protected:
    // RectControl.Constructor: the default control constructor. The subclass passes the
    // native widget it made.
    explicit RectControl(std::unique_ptr<QWidget> widget);

    // Called after any font property changed.
    virtual void FontChanged();

private:
    friend class fw::Window;
    void AttachTo(fw::Window& window, QWidget& parent);
    void ApplyGeometry();
    void ApplyTabStop();
    // The window's content area changed size by dw, dh: follow the locks.
    void FollowResize(Int32 dw, Int32 dh);

    // One owner at a time: the control until AttachTo, from then on the widget's Qt parent.
    // The control deletes an attached widget when it goes, unless the parent went first.
    std::unique_ptr<QWidget> m_unattached;
    QPointer<QWidget> m_widget;
    fw::Window* m_window = nullptr;
    std::string m_name;
    Int32 m_index = 0;
    Int32 m_tabPanelIndex = 0;
    Int32 m_left = 0;
    Int32 m_top = 0;
    Int32 m_width = 80;
    Int32 m_height = 20;
    bool m_lockLeft = true;
    bool m_lockTop = true;
    bool m_lockRight = false;
    bool m_lockBottom = false;
    bool m_enabled = true;
    bool m_visible = true;
    Int32 m_tabIndex = 0;
    bool m_tabStop = true;
    std::string m_helpTag;
    bool m_autoDeactivate = true;
    std::string m_initialParent;
    FontUnits m_textUnit = FontUnits::Default;
    std::string m_textFont = "System";
    double m_textSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
};

} // namespace fw
