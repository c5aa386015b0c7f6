#include "framework/ui/Label.h"

#include "framework/core/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/QtConvert.h"
#include "framework/ui/Window.h"

#include <QLabel>
#include <QPainter>

namespace fw {

namespace {

// Paints the window's background under an opaque label, whatever way the window paints its
// own, so the label never shows a colour of its own.
class LabelWidget : public QLabel {
public:
    explicit LabelWidget(const Label& owner) : m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!m_owner.Transparent()) {
            QPainter painter(this);
            const fw::Window* window = m_owner.Window();
            if (window != nullptr && window->HasBackColor()) {
                painter.fillRect(rect(), ToQColor(window->BackColor()));
            } else {
                painter.fillRect(rect(), palette().color(QPalette::Window));
            }
        }
        QLabel::paintEvent(event);
    }

private:
    const Label& m_owner;
};

} // namespace

Label::Label() : Label(std::make_unique<LabelWidget>(*this)) {}

Label::Label(std::unique_ptr<QLabel> label) : RectControl(std::move(label)) {
    m_label = static_cast<QLabel*>(NativeWidget());
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAutoFillBackground(false);
    Selectable(m_selectable);
    TextColor(m_textColor);
    ApplyAlignment();
}

Label::~Label() = default;

void Label::Text(const std::string& text) {
    m_text = text;
    m_label->setText(QString::fromStdString(text));
}

void Label::TextColor(Color color) {
    m_textColor = color;
    QPalette palette = m_label->palette();
    const QColor text = ToQColor(color);
    palette.setColor(QPalette::Active, QPalette::WindowText, text);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, text);
    m_label->setPalette(palette);
}

void Label::TextAlign(Int32 code) {
    m_textAlign = code;
    ApplyAlignment();
}

void Label::MultiLine(bool value) {
    m_multiLine = value;
    m_label->setWordWrap(value);
    ApplyAlignment();
}

void Label::Selectable(bool value) {
    m_selectable = value;
    m_label->setTextInteractionFlags(
        value ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard : Qt::NoTextInteraction);
}

void Label::Transparent(bool value) {
    m_transparent = value;
    m_label->update();
}

void Label::ApplyAlignment() {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_textAlign == 2) {
        horizontal = Qt::AlignHCenter;
    } else if (m_textAlign == 3) {
        horizontal = Qt::AlignRight;
    }
    m_label->setAlignment(horizontal | (m_multiLine ? Qt::AlignTop : Qt::AlignVCenter));
}

void RegisterLabelClass() {
    using L = Label;
    ClassInfo info{"Label", "RectControl", {}};
    auto& p = info.properties;
    p.push_back(Property<L, bool>("Bold", [](L& c, bool v) { c.Bold(v); }));
    p.push_back(Property<L, bool>("Italic", [](L& c, bool v) { c.Italic(v); }));
    p.push_back(Property<L, bool>("MultiLine", [](L& c, bool v) { c.MultiLine(v); }));
    p.push_back(Property<L, bool>("Selectable", [](L& c, bool v) { c.Selectable(v); }));
    p.push_back(Property<L, bool>("Transparent", [](L& c, bool v) { c.Transparent(v); }));
    p.push_back(Property<L, bool>("Underline", [](L& c, bool v) { c.Underline(v); }));
    p.push_back(Property<L, Int32>("TextAlign", [](L& c, Int32 v) { c.TextAlign(v); }));
    p.push_back(Property<L, Color>("TextColor", [](L& c, Color v) { c.TextColor(v); }));
    p.push_back(
        Property<L, std::string>("DataField", [](L& c, const std::string& v) { c.DataField(v); }));
    p.push_back(Property<L, std::string>("DataSource",
                                         [](L& c, const std::string& v) { c.DataSource(v); }));
    p.push_back(Property<L, std::string>("Text", [](L& c, const std::string& v) { c.Text(v); }));
    p.push_back(
        Property<L, std::string>("TextFont", [](L& c, const std::string& v) { c.TextFont(v); }));
    ClassRegistry::Instance().Register(std::move(info));
}

} // namespace fw
