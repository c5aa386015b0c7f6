// The bevel button control: its clicks, its icon and caption, focus and stream, and the plug-in
// entry points it is reached through.
#include "framework/ui/BevelButton.h"

#include "framework/core/Exceptions.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Label.h"
#include "framework/ui/Picture.h"
#include "framework/ui/PluginEntryPoints.h"
#include "tests/support/StreamBuilder.h"
#include "tests/ui/ControlsTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

using namespace fw;

namespace {

using namespace controls_test;
using support::StreamBuilder;

// ---------------------------------------------------------------------------------------------
// BevelButton

TEST(BevelButton, ClickRaisesActionOnlyWhileEnabled) {
    BevelButton button;
    button.Width(40);
    button.Height(22);
    button.Caption("T");
    int actions = 0;
    button.Action.Bind([&](BevelButton& sender) { actions += (&sender == &button) ? 1 : 100; },
                       "( BevelButton )");
    Host host(button);
    QTest::mouseClick(button.NativeButton(), Qt::LeftButton);
    EXPECT_EQ(actions, 1);
    button.Enabled(false);
    QTest::mouseClick(button.NativeButton(), Qt::LeftButton);
    EXPECT_EQ(actions, 1);
}

TEST(BevelButton, ButtonTypeDecidesWhatAClickDoesToValue) {
    struct Case {
        Int32 type;
        std::vector<bool> afterEachClick;
    };
    const Case cases[] = {{0, {false, false}}, {1, {true, false}}, {2, {true, true}}};
    for (const Case& c : cases) {
        BevelButton button;
        button.ButtonType(c.type);
        Host host(button);
        for (bool expected : c.afterEachClick) {
            QTest::mouseClick(button.NativeButton(), Qt::LeftButton);
            EXPECT_EQ(button.Value(), expected) << "ButtonType " << c.type;
        }
    }
}

TEST(BevelButton, IconIsDrawnWhereIconAlignPutsItAndNoIconIsAllowed) {
    auto icon = std::make_shared<Picture>(6, 6);
    icon->Graphics().ForeColor(RGB(255, 0, 0));
    icon->Graphics().FillRect(0, 0, 6, 6);

    struct Case {
        Int32 align;
        Int32 dx;
        QPoint redAt;    // inside the 40 x 40 button
        QPoint notRedAt; // where the centred icon would be
    };
    const Case cases[] = {
        {1, 0, {20, 20}, {5, 5}},   // centred
        {2, 0, {4, 20}, {20, 20}},  // left, vertically centred
        {9, 0, {35, 35}, {20, 20}}, // bottom right
        {2, 10, {14, 20}, {4, 20}}, // left, moved by IconDX
    };
    for (const Case& c : cases) {
        BevelButton button;
        button.Width(40);
        button.Height(40);
        button.IconAlign(c.align);
        button.IconDX(c.dx);
        button.Icon(icon);
        EXPECT_EQ(button.Icon(), icon);
        Host host(button);
        const QImage shot = button.NativeButton()->grab().toImage();
        EXPECT_TRUE(IsReddish(shot.pixel(c.redAt))) << "IconAlign " << c.align;
        EXPECT_FALSE(IsReddish(shot.pixel(c.notRedAt))) << "IconAlign " << c.align;

        button.Icon(nullptr);
        EXPECT_EQ(button.Icon(), nullptr);
        const QImage bare = button.NativeButton()->grab().toImage();
        EXPECT_FALSE(IsReddish(bare.pixel(c.redAt)));
    }
}

TEST(BevelButton, CaptionIsDrawnInTextColorOnTheAlignedSide) {
    // Left for 1, right for 2, centred for 3; the reddish columns show where the text went.
    struct Case {
        Int32 align;
        int minX;
        int maxX;
    };
    const Case cases[] = {{1, 0, 30}, {2, 70, 100}, {3, 30, 70}};
    for (const Case& c : cases) {
        BevelButton button;
        button.Width(100);
        button.Height(24);
        button.Caption("MM");
        button.Bold(true);
        button.TextColor(RGB(255, 0, 0));
        button.CaptionAlign(c.align);
        Host host(button);
        const QImage shot = button.NativeButton()->grab().toImage();
        int first = -1;
        int last = -1;
        for (int x = 0; x < shot.width(); ++x) {
            for (int y = 0; y < shot.height(); ++y) {
                if (IsReddish(shot.pixel(x, y))) {
                    first = first < 0 ? x : first;
                    last = x;
                }
            }
        }
        ASSERT_GE(first, 0) << "no caption drawn, CaptionAlign " << c.align;
        EXPECT_GE(first, c.minX) << "CaptionAlign " << c.align;
        EXPECT_LE(last, c.maxX) << "CaptionAlign " << c.align;
    }
}

TEST(BevelButton, AcceptFocusFalseKeepsTheFocusAwayAfterOpen) {
    RegisterControls();
    BevelButton button;
    _SetProperties(button, StreamBuilder().Bool("AcceptFocus", false).Bytes());
    button.TabStop(true); // as the stream does after AcceptFocus
    button.Event_Open();
    EXPECT_EQ(button.NativeButton()->focusPolicy(), Qt::NoFocus);
    button.AcceptFocus(true);
    EXPECT_NE(button.NativeButton()->focusPolicy() & Qt::TabFocus, 0);
}

TEST(BevelButton, StreamPropertiesReachTheButton) {
    RegisterControls();
    BevelButton button;
    const StreamBuilder stream = StreamBuilder()
                                     .Bool("Underline", false)
                                     .Bool("Italic", true)
                                     .Bool("Bold", true)
                                     .Str("TextFont", "System")
                                     .Int("ButtonType", 1)
                                     .Int("MenuValue", 3)
                                     .Bool("Value", true)
                                     .Rgb("TextColor", RGB(1, 2, 3))
                                     .Rgb("BackColor", RGB(200, 10, 10))
                                     .Bool("HasBackColor", true)
                                     .Int("HasMenu", 2)
                                     .Int("Bevel", 4)
                                     .Int("IconDY", -2)
                                     .Int("IconDX", 5)
                                     .Int("IconAlign", 1)
                                     .Int("CaptionDelta", 7)
                                     .Int("CaptionPlacement", 1)
                                     .Int("CaptionAlign", 3)
                                     .Str("Caption", "<");
    _SetProperties(button, stream.Bytes());
    EXPECT_TRUE(button.Italic());
    EXPECT_TRUE(button.Bold());
    EXPECT_TRUE(button.NativeButton()->font().bold());
    EXPECT_EQ(button.ButtonType(), 1);
    EXPECT_EQ(button.MenuValue(), 3);
    EXPECT_TRUE(button.Value());
    EXPECT_EQ(button.TextColor(), RGB(1, 2, 3));
    EXPECT_EQ(button.BackColor(), RGB(200, 10, 10));
    EXPECT_TRUE(button.HasBackColor());
    EXPECT_EQ(button.NativeButton()->palette().color(QPalette::Button), QColor(200, 10, 10));
    EXPECT_EQ(button.HasMenu(), 2);
    EXPECT_EQ(button.Bevel(), 4);
    EXPECT_TRUE(button.NativeButton()->autoRaise()) << "Bevel 4 is flat";
    EXPECT_EQ(button.IconDY(), -2);
    EXPECT_EQ(button.IconDX(), 5);
    EXPECT_EQ(button.IconAlign(), 1);
    EXPECT_EQ(button.CaptionDelta(), 7);
    EXPECT_EQ(button.CaptionPlacement(), 1);
    EXPECT_EQ(button.CaptionAlign(), 3);
    EXPECT_EQ(button.Caption(), "<");
    button.TextUnit(FontUnits::Pixel);
    EXPECT_EQ(button.TextUnit(), FontUnits::Pixel);
}

// ---------------------------------------------------------------------------------------------
// Plug-in entry points

TEST(PluginEntryPoints, TableResolvesEveryNameBevelButtonUses) {
    InitPluginEntrypointTable();
    EXPECT_EQ(PluginEntryPoints().size(), 70u);
    for (const PluginEntryPoint& own : BevelButton::_PluginEntryPoints()) {
        const PluginEntryPoint& found = LookupPluginEntryPoint(own.name);
        EXPECT_EQ(found.function, own.function) << own.name;
    }
    for (const char* name : {"BevelButton.Icon.Set", "BevelButton.Caption.Set",
                             "BevelButton.TextUnit.Set", "BevelButton.Bevel.Get"}) {
        EXPECT_FALSE(LookupPluginEntryPoint(name).IsEmpty()) << name;
    }
    EXPECT_EQ(LookupPluginEntryPoint("BevelButton.Icon.Set").type, EntryPointType::Picture);
    EXPECT_EQ(LookupPluginEntryPoint("BevelButton.TextUnit.Set").kind,
              PluginEntryPoint::Kind::Setter);
}

TEST(PluginEntryPoints, UnknownNamesAndWrongUsesAreRefused) {
    EXPECT_THROW(LookupPluginEntryPoint("BevelButton.Nothing.Set"), RuntimeException);
    EXPECT_THROW(LookupPluginEntryPoint(""), RuntimeException);

    BevelButton button;
    const PluginEntryPoint& captionSet = LookupPluginEntryPoint("BevelButton.Caption.Set");
    captionSet.Set<std::string>(button, "via table");
    EXPECT_EQ(button.Caption(), "via table");
    EXPECT_EQ(LookupPluginEntryPoint("BevelButton.Caption.Get").Get<std::string>(button),
              "via table");

    EXPECT_THROW(captionSet.Set<Int32>(button, 3), RuntimeException) << "wrong value type";
    EXPECT_THROW(captionSet.Get<std::string>(button), RuntimeException) << "not a getter";
    Label notAButton;
    EXPECT_THROW(captionSet.Set<std::string>(notAButton, "x"), IllegalCastException);
}

} // namespace
