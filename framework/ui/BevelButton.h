#pragma once

#include "framework/core/Event.h"
#include "framework/core/Types.h"
#include "framework/ui/Picture.h"
#include "framework/ui/PluginEntryPoints.h"
#include "framework/ui/RectControl.h"

#include <memory>
#include <span>
#include <string>

class QObject;
class QToolButton;

namespace fw {

class BevelButtonWidget;

// A push button with a bevel, a caption and an optional icon, on a tool button. It is a
// plug-in control: each of its own properties (and its font properties) is read and written
// through the plug-in entry-point table ("BevelButton.Caption.Set", ...).
//
// Codes of the stored Int32 properties:
//   Bevel            0 small bevel, 1 normal bevel, 2 large bevel, 3 rounded, 5 round,
//                    6 large round, 7 disclosure: all drawn as the desktop's button frame;
//                    4 no bevel: flat, a frame shows only while pressed or down.
//                    Other values are kept and drawn as 0.
//   ButtonType       0 push button, 1 toggles (each click flips Value), 2 sticky (a click sets
//                    Value True; only code sets it False). Value shows as the button down.
//   CaptionAlign     0 default (centred), 1 left, 2 right, 3 centred; CaptionDelta moves a
//                    left- or right-aligned caption that many pixels in from its edge.
//   CaptionPlacement 0 default (= 1), 1 caption and icon each aligned within the whole
//                    button, 2 caption right of the icon, 3 left of it, 4 below it, 5 above.
//   IconAlign        0 default (centred), 1 centred, 2 left, 3 right, 4 top, 5 bottom,
//                    6 top left, 7 bottom left, 8 top right, 9 bottom right; IconDX/IconDY
//                    then move the icon by that many pixels.
//   HasMenu          0 none, 1 menu, 2 menu on the right; kept (the button has no menu rows).
// Other values of the alignment codes are kept and drawn as their default.
class BevelButton : public RectControl {
public:
    BevelButton();
    ~BevelButton() override;

    std::string_view ClassFullName() const override { return "BevelButton"; }

    Event<void(BevelButton&)> Action{"( BevelButton )"};
    virtual void Event_Action() { Action.Raise(*this); }

    void Event_Open() override;

    std::string Caption() const;
    void Caption(const std::string& text);
    PicturePtr Icon() const;
    void Icon(const PicturePtr& picture); // nullptr: no icon
    Int32 Bevel() const;
    void Bevel(Int32 code);
    Int32 ButtonType() const;
    void ButtonType(Int32 code);
    Int32 CaptionAlign() const;
    void CaptionAlign(Int32 code);
    Int32 CaptionDelta() const;
    void CaptionDelta(Int32 pixels);
    Int32 CaptionPlacement() const;
    void CaptionPlacement(Int32 code);
    Int32 IconAlign() const;
    void IconAlign(Int32 code);
    Int32 IconDX() const;
    void IconDX(Int32 pixels);
    Int32 IconDY() const;
    void IconDY(Int32 pixels);
    Color TextColor() const;
    void TextColor(Color color);
    Color BackColor() const;
    void BackColor(Color color);
    bool HasBackColor() const;
    void HasBackColor(bool value);
    bool AcceptFocus() const;
    void AcceptFocus(bool value);
    bool Value() const;
    void Value(bool down);
    Int32 HasMenu() const;
    void HasMenu(Int32 code);
    Int32 MenuValue() const;
    void MenuValue(Int32 value);

    // The font properties, reached through the entry points as well.
    FontUnits TextUnit() const;
    void TextUnit(FontUnits unit);
    std::string TextFont() const;
    void TextFont(const std::string& name);
    double TextSize() const;
    void TextSize(double size);
    bool Bold() const;
    void Bold(bool value);
    bool Italic() const;
    void Italic(bool value);
    bool Underline() const;
    void Underline(bool value);

    QToolButton* NativeButton() const;

    // BevelButton's entries of the plug-in table, in table order.
    static std::span<const PluginEntryPoint> _PluginEntryPoints();
    // Resolves the entries this class calls by name; RuntimeException when one is missing.
    static void _ResolvePluginEntryPoints();

private:
    friend class BevelButtonWidget;
    explicit BevelButton(std::unique_ptr<BevelButtonWidget> widget);
    friend struct BevelButtonEntries;

    void HandleClicked();
    void ApplyFocusPolicy();
    void ApplyColors();
    void Repaint();

    BevelButtonWidget* m_button;
    std::unique_ptr<QObject> m_callbacks; // context of the button's connections
    std::string m_caption;
    PicturePtr m_icon;
    Int32 m_bevel = 0;
    Int32 m_buttonType = 0;
    Int32 m_captionAlign = 0;
    Int32 m_captionDelta = 0;
    Int32 m_captionPlacement = 1;
    Int32 m_iconAlign = 0;
    Int32 m_iconDX = 0;
    Int32 m_iconDY = 0;
    Color m_textColor = Color(0x000000);
    Color m_backColor = Color(0xFFFFFF);
    bool m_hasBackColor = false;
    bool m_acceptFocus = true;
    bool m_value = false;
    Int32 m_hasMenu = 0;
    Int32 m_menuValue = 0;
};

} // namespace fw
