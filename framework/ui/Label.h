#pragma once

#include "framework/core/Types.h"
#include "framework/ui/RectControl.h"

#include <memory>
#include <string>

class QLabel;

namespace fw {

// A static text, on a label widget. The text is shown as plain text, never as markup.
//   TextAlign 0 default (left), 1 left, 2 centred, 3 right; other values are kept and shown
//   as 0. A single-line label centres its line vertically; a multi-line one wraps its words
//   from the top.
// An opaque label (Transparent False) fills its rectangle with its window's background.
class Label : public RectControl {
public:
    Label();
    ~Label() override;

    std::string_view ClassFullName() const override { return "Label"; }

    const std::string& Text() const { return m_text; }
    void Text(const std::string& text);
    Color TextColor() const { return m_textColor; }
    void TextColor(Color color);
    Int32 TextAlign() const { return m_textAlign; }
    void TextAlign(Int32 code);
    bool MultiLine() const { return m_multiLine; }
    void MultiLine(bool value);
    bool Selectable() const { return m_selectable; }
    void Selectable(bool value);
    bool Transparent() const { return m_transparent; }
    void Transparent(bool value);
    const std::string& DataField() const { return m_dataField; }
    void DataField(const std::string& value) { m_dataField = value; }
    const std::string& DataSource() const { return m_dataSource; }
    void DataSource(const std::string& value) { m_dataSource = value; }

    QLabel* NativeLabel() const { return m_label; }

private:
    explicit Label(std::unique_ptr<QLabel> label);
    void ApplyAlignment();

    QLabel* m_label;
    std::string m_text;
    Color m_textColor = Color(0x000000);
    Int32 m_textAlign = 0;
    bool m_multiLine = false;
    bool m_selectable = false;
    bool m_transparent = false;
    std::string m_dataField;
    std::string m_dataSource;
};

} // namespace fw
