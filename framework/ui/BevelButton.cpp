#include "framework/ui/BevelButton.h"

#include "framework/core/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/QtConvert.h"
#include "framework/ui/Runtime.h"

#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolButton>
#include <array>
#include <string>

namespace fw {

// The tool button draws its frame through the style and the caption and icon itself, so that
// the alignment and placement codes mean the same on every style.
class BevelButtonWidget : public QToolButton {
public:
    explicit BevelButtonWidget(BevelButton& owner) : m_owner(owner) {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QStylePainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        option.toolButtonStyle = Qt::ToolButtonIconOnly;
        const bool down = isDown() || m_owner.m_value;
        if (m_owner.m_value) {
            option.state |= QStyle::State_On | QStyle::State_Sunken;
        }
        painter.drawComplexControl(QStyle::CC_ToolButton, option);

        QRect area = rect().adjusted(2, 2, -2, -2);
        if (down) {
            area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
        }
        QRect iconRect;
        if (m_owner.m_icon && !m_owner.m_icon->Image().isNull()) {
            const QImage& image = m_owner.m_icon->Image();
            iconRect = AlignedIcon(area, image.size());
            QImage shown = image;
            if (!isEnabled()) {
                shown = QIcon(QPixmap::fromImage(image))
                            .pixmap(image.size(), QIcon::Disabled)
                            .toImage();
            }
            painter.drawImage(iconRect.topLeft(), shown);
        }
        if (!m_owner.m_caption.empty()) {
            QRect textArea = CaptionArea(area, iconRect);
            int flags = Qt::AlignVCenter | Qt::TextSingleLine;
            switch (m_owner.m_captionAlign) {
            case 1:
                flags |= Qt::AlignLeft;
                textArea.adjust(m_owner.m_captionDelta, 0, 0, 0);
                break;
            case 2:
                flags |= Qt::AlignRight;
                textArea.adjust(0, 0, -m_owner.m_captionDelta, 0);
                break;
            default:
                flags |= Qt::AlignHCenter;
                break;
            }
            painter.setFont(font());
            painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::ButtonText));
            painter.drawText(textArea, flags, QString::fromStdString(m_owner.m_caption));
        }
    }

private:
    QRect AlignedIcon(const QRect& area, const QSize& size) const {
        const int left = area.left();
        const int right = area.right() - size.width() + 1;
        const int centreX = area.left() + (area.width() - size.width()) / 2;
        const int top = area.top();
        const int bottom = area.bottom() - size.height() + 1;
        const int centreY = area.top() + (area.height() - size.height()) / 2;
        int x = centreX;
        int y = centreY;
        switch (m_owner.m_iconAlign) {
        case 2:
            x = left;
            break;
        case 3:
            x = right;
            break;
        case 4:
            y = top;
            break;
        case 5:
            y = bottom;
            break;
        case 6:
            x = left;
            y = top;
            break;
        case 7:
            x = left;
            y = bottom;
            break;
        case 8:
            x = right;
            y = top;
            break;
        case 9:
            x = right;
            y = bottom;
            break;
        default:
            break;
        }
        return QRect(QPoint(x + m_owner.m_iconDX, y + m_owner.m_iconDY), size);
    }

    QRect CaptionArea(const QRect& area, const QRect& icon) const {
        if (icon.isNull()) {
            return area;
        }
        constexpr int gap = 2;
        QRect result = area;
        switch (m_owner.m_captionPlacement) {
        case 2:
            result.setLeft(icon.right() + 1 + gap);
            break;
        case 3:
            result.setRight(icon.left() - 1 - gap);
            break;
        case 4:
            result.setTop(icon.bottom() + 1 + gap);
            break;
        case 5:
            result.setBottom(icon.top() - 1 - gap);
            break;
        default:
            break;
        }
        return result;
    }

    BevelButton& m_owner;
};

namespace {

BevelButton& Target(Object& target) {
    auto* button = dynamic_cast<BevelButton*>(&target);
    if (button == nullptr) {
        throw IllegalCastException("A BevelButton entry point was called on a " +
                                   std::string(target.ClassFullName()));
    }
    return *button;
}

const BevelButton& Target(const Object& target) {
    return Target(const_cast<Object&>(target));
}

} // namespace

// The entries of the plug-in table. Each property has a getter and a setter; the slot order
// here is the order of the table.
#define FW_BEVEL_FIELDS(X)                                                                         \
    X(Caption, std::string, m_caption, Repaint)                                                    \
    X(Icon, PicturePtr, m_icon, Repaint)                                                           \
    X(Bevel, Int32, m_bevel, Repaint)                                                              \
    X(ButtonType, Int32, m_buttonType, Repaint)                                                    \
    X(CaptionAlign, Int32, m_captionAlign, Repaint)                                                \
    X(CaptionDelta, Int32, m_captionDelta, Repaint)                                                \
    X(CaptionPlacement, Int32, m_captionPlacement, Repaint)                                        \
    X(IconAlign, Int32, m_iconAlign, Repaint)                                                      \
    X(IconDX, Int32, m_iconDX, Repaint)                                                            \
    X(IconDY, Int32, m_iconDY, Repaint)                                                            \
    X(TextColor, Color, m_textColor, ApplyColors)                                                  \
    X(BackColor, Color, m_backColor, ApplyColors)                                                  \
    X(HasBackColor, bool, m_hasBackColor, ApplyColors)                                             \
    X(AcceptFocus, bool, m_acceptFocus, ApplyFocusPolicy)                                          \
    X(Value, bool, m_value, Repaint)                                                               \
    X(HasMenu, Int32, m_hasMenu, Repaint)                                                          \
    X(MenuValue, Int32, m_menuValue, Repaint)

#define FW_BEVEL_FONT(X)                                                                           \
    X(TextUnit, FontUnits)                                                                         \
    X(TextFont, std::string)                                                                       \
    X(TextSize, double)                                                                            \
    X(Bold, bool)                                                                                  \
    X(Italic, bool)                                                                                \
    X(Underline, bool)

namespace {

enum Slot : std::size_t {
#define FW_SLOTS(Name, Type, ...) k##Name##Get, k##Name##Set,
    FW_BEVEL_FIELDS(FW_SLOTS) FW_BEVEL_FONT(FW_SLOTS)
#undef FW_SLOTS
        kSlotCount
};

std::array<const PluginEntryPoint*, kSlotCount> g_resolved{};
bool g_isResolved = false;

const PluginEntryPoint& Entry(Slot slot) {
    if (!g_isResolved) {
        InitPluginEntrypointTable();
    }
    return *g_resolved[slot];
}

} // namespace

struct BevelButtonEntries {
#define FW_FIELD_ACCESSORS(Name, Type, field, apply)                                               \
    static Type Get##Name(const Object& target) {                                                  \
        return Target(target).field;                                                               \
    }                                                                                              \
    static void Set##Name(Object& target, const Type& value) {                                     \
        BevelButton& button = Target(target);                                                      \
        button.field = value;                                                                      \
        button.apply();                                                                            \
    }
    FW_BEVEL_FIELDS(FW_FIELD_ACCESSORS)
#undef FW_FIELD_ACCESSORS

#define FW_FONT_ACCESSORS(Name, Type)                                                              \
    static Type Get##Name(const Object& target) {                                                  \
        return Target(target).RectControl::Name();                                                 \
    }                                                                                              \
    static void Set##Name(Object& target, const Type& value) {                                     \
        Target(target).RectControl::Name(value);                                                   \
    }
    FW_BEVEL_FONT(FW_FONT_ACCESSORS)
#undef FW_FONT_ACCESSORS

    static const std::array<PluginEntryPoint, kSlotCount>& Table() {
        static const std::array<PluginEntryPoint, kSlotCount> table = {
#define FW_ENTRIES(Name, Type, ...)                                                                \
    PluginEntryPoint::Getter<Type>("BevelButton." #Name ".Get", &Get##Name),                       \
        PluginEntryPoint::Setter<Type>("BevelButton." #Name ".Set", &Set##Name),
            FW_BEVEL_FIELDS(FW_ENTRIES) FW_BEVEL_FONT(FW_ENTRIES)
#undef FW_ENTRIES
        };
        return table;
    }
};

std::span<const PluginEntryPoint> BevelButton::_PluginEntryPoints() {
    return BevelButtonEntries::Table();
}

void BevelButton::_ResolvePluginEntryPoints() {
    const auto& own = BevelButtonEntries::Table();
    std::array<const PluginEntryPoint*, kSlotCount> resolved{};
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        resolved[slot] = &LookupPluginEntryPoint(own[slot].name);
    }
    g_resolved = resolved;
    g_isResolved = true;
}

// Public accessors: every one goes through its resolved entry.
#define FW_PUBLIC_ACCESSORS(Name, Type, ...)                                                       \
    Type BevelButton::Name() const {                                                               \
        return Entry(k##Name##Get).Get<Type>(*this);                                               \
    }                                                                                              \
    void BevelButton::Name(const Type& value) {                                                    \
        Entry(k##Name##Set).Set<Type>(*this, value);                                               \
    }

// The header passes small values by value; these adapters keep its signatures.
#define FW_PUBLIC_ACCESSORS_BY_VALUE(Name, Type)                                                   \
    Type BevelButton::Name() const {                                                               \
        return Entry(k##Name##Get).Get<Type>(*this);                                               \
    }                                                                                              \
    void BevelButton::Name(Type value) {                                                           \
        Entry(k##Name##Set).Set<Type>(*this, value);                                               \
    }

FW_PUBLIC_ACCESSORS(Caption, std::string)
FW_PUBLIC_ACCESSORS(Icon, PicturePtr)
FW_PUBLIC_ACCESSORS_BY_VALUE(Bevel, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(ButtonType, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(CaptionAlign, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(CaptionDelta, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(CaptionPlacement, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(IconAlign, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(IconDX, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(IconDY, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(TextColor, Color)
FW_PUBLIC_ACCESSORS_BY_VALUE(BackColor, Color)
FW_PUBLIC_ACCESSORS_BY_VALUE(HasBackColor, bool)
FW_PUBLIC_ACCESSORS_BY_VALUE(AcceptFocus, bool)
FW_PUBLIC_ACCESSORS_BY_VALUE(Value, bool)
FW_PUBLIC_ACCESSORS_BY_VALUE(HasMenu, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(MenuValue, Int32)
FW_PUBLIC_ACCESSORS_BY_VALUE(TextUnit, FontUnits)
FW_PUBLIC_ACCESSORS(TextFont, std::string)
FW_PUBLIC_ACCESSORS_BY_VALUE(TextSize, double)
FW_PUBLIC_ACCESSORS_BY_VALUE(Bold, bool)
FW_PUBLIC_ACCESSORS_BY_VALUE(Italic, bool)
FW_PUBLIC_ACCESSORS_BY_VALUE(Underline, bool)

#undef FW_PUBLIC_ACCESSORS
#undef FW_PUBLIC_ACCESSORS_BY_VALUE
#undef FW_BEVEL_FIELDS
#undef FW_BEVEL_FONT

namespace {

std::unique_ptr<QWidget> TakeWidget(std::unique_ptr<BevelButtonWidget>& widget) {
    return std::unique_ptr<QWidget>(widget.release());
}

} // namespace

BevelButton::BevelButton() : BevelButton(std::make_unique<BevelButtonWidget>(*this)) {}

BevelButton::BevelButton(std::unique_ptr<BevelButtonWidget> widget)
    : RectControl(TakeWidget(widget)) {
    m_button = static_cast<BevelButtonWidget*>(NativeWidget());
    m_callbacks = std::make_unique<QObject>();
    QObject::connect(m_button, &QToolButton::clicked, m_callbacks.get(),
                     [this] { HandleClicked(); });
    ApplyColors();
}

// The widget outlives this part of the object; dropping m_callbacks first cuts its calls back
// into it.
BevelButton::~BevelButton() {
    m_callbacks.reset();
}

QToolButton* BevelButton::NativeButton() const {
    return m_button;
}

void BevelButton::Event_Open() {
    // TabStop, applied by the stream after AcceptFocus, rebuilds the focus policy.
    ApplyFocusPolicy();
}

void BevelButton::HandleClicked() {
    if (m_buttonType == 1) {
        m_value = !m_value;
    } else if (m_buttonType == 2) {
        m_value = true;
    }
    Repaint();
    CallIntoSystem([this] { Event_Action(); });
}

void BevelButton::ApplyFocusPolicy() {
    m_button->setFocusPolicy(m_acceptFocus ? (TabStop() ? Qt::StrongFocus : Qt::ClickFocus)
                                           : Qt::NoFocus);
}

void BevelButton::ApplyColors() {
    QPalette palette = m_button->palette();
    const QColor text = ToQColor(m_textColor);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::ButtonText, text);
    }
    if (m_hasBackColor) {
        palette.setColor(QPalette::Button, ToQColor(m_backColor));
    } else {
        palette.setColor(QPalette::Button, m_button->style()->standardPalette().color(
                                               QPalette::Active, QPalette::Button));
    }
    m_button->setPalette(palette);
    Repaint();
}

void BevelButton::Repaint() {
    m_button->setAutoRaise(m_bevel == 4);
    m_button->setAccessibleName(QString::fromStdString(m_caption));
    m_button->update();
}

void RegisterBevelButtonClass() {
    using B = BevelButton;
    ClassInfo info{"BevelButton", "RectControl", {}};
    auto& p = info.properties;
    p.push_back(Property<B, bool>("AcceptFocus", [](B& b, bool v) { b.AcceptFocus(v); }));
    p.push_back(Property<B, bool>("Bold", [](B& b, bool v) { b.Bold(v); }));
    p.push_back(Property<B, bool>("HasBackColor", [](B& b, bool v) { b.HasBackColor(v); }));
    p.push_back(Property<B, bool>("Italic", [](B& b, bool v) { b.Italic(v); }));
    p.push_back(Property<B, bool>("Underline", [](B& b, bool v) { b.Underline(v); }));
    p.push_back(Property<B, bool>("Value", [](B& b, bool v) { b.Value(v); }));
    p.push_back(Property<B, Int32>("Bevel", [](B& b, Int32 v) { b.Bevel(v); }));
    p.push_back(Property<B, Int32>("ButtonType", [](B& b, Int32 v) { b.ButtonType(v); }));
    p.push_back(Property<B, Int32>("CaptionAlign", [](B& b, Int32 v) { b.CaptionAlign(v); }));
    p.push_back(Property<B, Int32>("CaptionDelta", [](B& b, Int32 v) { b.CaptionDelta(v); }));
    p.push_back(
        Property<B, Int32>("CaptionPlacement", [](B& b, Int32 v) { b.CaptionPlacement(v); }));
    p.push_back(Property<B, Int32>("HasMenu", [](B& b, Int32 v) { b.HasMenu(v); }));
    p.push_back(Property<B, Int32>("IconAlign", [](B& b, Int32 v) { b.IconAlign(v); }));
    p.push_back(Property<B, Int32>("IconDX", [](B& b, Int32 v) { b.IconDX(v); }));
    p.push_back(Property<B, Int32>("IconDY", [](B& b, Int32 v) { b.IconDY(v); }));
    p.push_back(Property<B, Int32>("MenuValue", [](B& b, Int32 v) { b.MenuValue(v); }));
    p.push_back(Property<B, Color>("BackColor", [](B& b, Color v) { b.BackColor(v); }));
    p.push_back(Property<B, Color>("TextColor", [](B& b, Color v) { b.TextColor(v); }));
    p.push_back(
        Property<B, std::string>("Caption", [](B& b, const std::string& v) { b.Caption(v); }));
    p.push_back(
        Property<B, std::string>("TextFont", [](B& b, const std::string& v) { b.TextFont(v); }));
    ClassRegistry::Instance().Register(std::move(info));
}

} // namespace fw
