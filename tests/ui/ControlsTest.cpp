#include "framework/core/ClassRegistry.h"
#include "framework/core/Exceptions.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/BevelButton.h"
#include "framework/ui/FolderItem.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/Label.h"
#include "framework/ui/Picture.h"
#include "framework/ui/PluginEntryPoints.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/Screen.h"
#include "framework/ui/Window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace fw;

namespace {

// Builds a property stream: name, one blank, the value in its stored encoding.
class StreamBuilder {
public:
    StreamBuilder& Bool(const std::string& name, bool value) {
        Name(name);
        m_bytes += static_cast<char>(value ? 1 : 0);
        return *this;
    }
    StreamBuilder& Int(const std::string& name, Int32 value) {
        Name(name);
        BigEndian(static_cast<std::uint32_t>(value));
        return *this;
    }
    StreamBuilder& Rgb(const std::string& name, Color value) {
        Name(name);
        m_bytes += static_cast<char>(value.Red());
        m_bytes += static_cast<char>(value.Green());
        m_bytes += static_cast<char>(value.Blue());
        return *this;
    }
    StreamBuilder& Str(const std::string& name, const std::string& value) {
        Name(name);
        BigEndian(static_cast<std::uint32_t>(value.size()));
        m_bytes += value;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    void Name(const std::string& name) { m_bytes += name + ' '; }
    void BigEndian(std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            m_bytes += static_cast<char>((v >> shift) & 0xFF);
        }
    }
    std::string m_bytes;
};

void RegisterControls() {
    RegisterPopupMenuClass();
    RegisterBevelButtonClass();
    RegisterLabelClass();
}

// A top-level host for one control, shown so that real input reaches it.
class Host {
public:
    explicit Host(RectControl& control, int width = 200, int height = 100) {
        m_window.resize(width, height);
        control.NativeWidget()->setParent(&m_window);
        control.NativeWidget()->show();
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_control = control.NativeWidget();
    }
    ~Host() {
        // The control owns its widget; give it back before the window goes.
        m_control->setParent(nullptr);
    }
    QWidget& Window() { return m_window; }

private:
    QWidget m_window;
    QWidget* m_control = nullptr;
};

bool IsReddish(QRgb pixel) {
    return qRed(pixel) > 160 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

// ---------------------------------------------------------------------------------------------
// PopupMenu

struct PopupFixture : ::testing::Test {
    void SetUp() override {
        popup.Change.Bind([this](PopupMenu& sender) { changes.push_back(sender.ListIndex()); },
                          "(PopupMenu)");
    }
    PopupMenu popup;
    std::vector<Int32> changes; // ListIndex seen by each Change
};

TEST_F(PopupFixture, InitialValueSplitsRowsAtCarriageReturns) {
    popup.InitialValue("2010\r2011\r2012\r2013");
    ASSERT_EQ(popup.ListCount(), 4);
    EXPECT_EQ(popup.List(0), "2010");
    EXPECT_EQ(popup.List(3), "2013");
    EXPECT_EQ(popup.InitialValue(), "2010\r2011\r2012\r2013");
    EXPECT_THROW(popup.List(4), OutOfBoundsException);
    EXPECT_THROW(popup.List(-1), OutOfBoundsException);
    EXPECT_THROW(popup.RemoveRow(4), OutOfBoundsException);

    // Setting it replaces the rows; an empty text is no rows at all.
    popup.InitialValue("a\rb");
    EXPECT_EQ(popup.ListCount(), 2);
    popup.InitialValue("");
    EXPECT_EQ(popup.ListCount(), 0);
}

TEST_F(PopupFixture, SettingListIndexRaisesChangeAndOutOfRangeSelectsNothing) {
    popup.InitialValue("Jan\rFeb\rMar");
    struct Case {
        Int32 set;
        Int32 selected;
        const char* text;
    };
    const Case cases[] = {{1, 1, "Feb"}, {1, 1, "Feb"}, {2, 2, "Mar"}, {3, -1, ""},
                          {-1, -1, ""},  {0, 0, "Jan"}, {99, -1, ""}};
    for (const Case& c : cases) {
        changes.clear();
        popup.ListIndex(c.set);
        EXPECT_EQ(popup.ListIndex(), c.selected) << "set " << c.set;
        EXPECT_EQ(popup.Text(), c.text) << "set " << c.set;
        EXPECT_EQ(changes, std::vector<Int32>{c.selected}) << "set " << c.set;
        EXPECT_EQ(popup.NativeComboBox()->currentIndex(), c.selected);
    }
}

TEST_F(PopupFixture, RowsChangeTheSelectionOnlyWhereTheSelectedRowGoes) {
    popup.AddRow("00");
    popup.AddRow("01");
    EXPECT_EQ(popup.ListIndex(), -1) << "adding rows selects none";
    EXPECT_TRUE(changes.empty());

    popup.ListIndex(1);
    popup.AddRow("02");
    EXPECT_EQ(popup.Text(), "01");
    popup.RemoveRow(0);
    EXPECT_EQ(popup.ListIndex(), 0);
    EXPECT_EQ(popup.Text(), "01") << "the selected row stays selected";
    changes.clear();
    popup.RemoveRow(0);
    EXPECT_EQ(popup.ListIndex(), -1);
    EXPECT_EQ(changes, std::vector<Int32>{-1});

    popup.ListIndex(0);
    changes.clear();
    popup.DeleteAllRows();
    EXPECT_EQ(popup.ListCount(), 0);
    EXPECT_EQ(popup.Text(), "");
    EXPECT_EQ(changes, std::vector<Int32>{-1});
}

TEST_F(PopupFixture, StreamSelectsItsDesignedRowThoughListIndexComesFirst) {
    RegisterControls();
    const StreamBuilder stream = StreamBuilder()
                                     .Str("DataField", "df")
                                     .Str("DataSource", "ds")
                                     .Bool("Bold", true)
                                     .Str("TextFont", "SmallSystem")
                                     .Int("ListIndex", 1)
                                     .Str("InitialValue", "January\rFebruary\rMarch");
    _SetProperties(popup, stream.Bytes());
    EXPECT_EQ(popup.ListCount(), 3);
    EXPECT_EQ(popup.ListIndex(), 1);
    EXPECT_EQ(popup.Text(), "February");
    EXPECT_EQ(popup.DataField(), "df");
    EXPECT_EQ(popup.DataSource(), "ds");
    EXPECT_TRUE(popup.Bold());
    EXPECT_TRUE(popup.NativeComboBox()->font().bold());
}

TEST_F(PopupFixture, UserChoiceRaisesChange) {
    popup.InitialValue("00\r01\r02\r03");
    popup.ListIndex(0);
    popup.Width(80);
    Host host(popup);
    QComboBox* combo = popup.NativeComboBox();
    changes.clear();

    // Choosing in the open list.
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(popup.ListIndex(), 2);
    EXPECT_EQ(popup.Text(), "02");
    EXPECT_EQ(changes, std::vector<Int32>{2});

    // A key on the closed menu.
    changes.clear();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(popup.ListIndex(), 1);
    EXPECT_EQ(changes, std::vector<Int32>{1});
}

TEST_F(PopupFixture, OpenAndCloseEventsAreRaisedThroughTheirHandlers) {
    int opened = 0;
    popup.Open.Bind([&](PopupMenu&) { ++opened; }, "( PopupMenu )");
    static_cast<RectControl&>(popup).Event_Open();
    EXPECT_EQ(opened, 1);
    EXPECT_THROW(popup.Close.Bind([](PopupMenu&) {}, "( Listbox )"), RuntimeException);
}

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

// ---------------------------------------------------------------------------------------------
// Label

TEST(Label, TextIsPlainAndStreamMultilineSetsMultiLine) {
    RegisterControls();
    Label label;
    const StreamBuilder stream = StreamBuilder()
                                     .Bool("Transparent", false)
                                     .Bool("Selectable", true)
                                     .Bool("Multiline", true)
                                     .Rgb("TextColor", RGB(0, 0, 255))
                                     .Int("TextAlign", 3)
                                     .Str("Text", "<b>Untitled</b>")
                                     .Str("DataField", "f");
    _SetProperties(label, stream.Bytes());
    EXPECT_TRUE(label.MultiLine());
    EXPECT_TRUE(label.NativeLabel()->wordWrap());
    EXPECT_TRUE(label.Selectable());
    EXPECT_NE(label.NativeLabel()->textInteractionFlags() & Qt::TextSelectableByMouse, 0);
    EXPECT_EQ(label.Text(), "<b>Untitled</b>");
    EXPECT_EQ(label.NativeLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(label.NativeLabel()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label.DataField(), "f");
}

TEST(Label, TextAlignCodes) {
    const std::pair<Int32, Qt::Alignment> cases[] = {
        {0, Qt::AlignLeft},  {1, Qt::AlignLeft},  {2, Qt::AlignHCenter},
        {3, Qt::AlignRight}, {42, Qt::AlignLeft},
    };
    for (const auto& [code, horizontal] : cases) {
        Label label;
        label.TextAlign(code);
        EXPECT_EQ(label.TextAlign(), code);
        EXPECT_EQ(label.NativeLabel()->alignment() & Qt::AlignHorizontal_Mask, horizontal) << code;
    }
}

TEST(Label, TextIsDrawnInItsColorAndAlignment) {
    Label label;
    label.Width(120);
    label.Height(20);
    label.Text("WWW");
    label.Bold(true);
    label.TextColor(RGB(255, 0, 0));
    label.TextAlign(3);
    Host host(label);
    const QImage shot = label.NativeLabel()->grab().toImage();
    int first = -1;
    for (int x = 0; x < shot.width() && first < 0; ++x) {
        for (int y = 0; y < shot.height(); ++y) {
            if (IsReddish(shot.pixel(x, y))) {
                first = x;
                break;
            }
        }
    }
    ASSERT_GE(first, 0);
    EXPECT_GT(first, 60) << "right-aligned text starts in the right half";
}

// ---------------------------------------------------------------------------------------------
// The controls in a window built from streams

class StreamWindow : public Window {
public:
    int actions = 0;
    std::vector<std::string> chosen;

    void Layout() override {
        HasBackColor(true);
        BackColor(RGB(255, 255, 255));
        Width(200);
        Height(100);
    }
    void CreateControls() override {
        _AddControl("lblDate", std::make_unique<Label>());
        _SetProperties(ControlAs<Label>("lblDate"), StreamBuilder()
                                                        .Bool("Transparent", false)
                                                        .Str("Text", "Untitled")
                                                        .Int("Width", 172)
                                                        .Int("Height", 20)
                                                        .Int("Top", 70)
                                                        .Str("Name", "lblDate")
                                                        .Bytes());
        _AddControl("btnOK", std::make_unique<BevelButton>());
        ControlAs<BevelButton>("btnOK").TextUnit(FontUnits::Default);
        _SetProperties(ControlAs<BevelButton>("btnOK"), StreamBuilder()
                                                            .Bool("AcceptFocus", false)
                                                            .Str("Caption", "OK")
                                                            .Bool("TabStop", true)
                                                            .Int("Width", 40)
                                                            .Int("Height", 22)
                                                            .Int("Left", 150)
                                                            .Bytes());
        ControlAs<BevelButton>("btnOK").Action.Bind(this, &StreamWindow::btnOK_Action,
                                                    "( BevelButton )");
        _AddControl("puHour", std::make_unique<PopupMenu>());
        _SetProperties(
            ControlAs<PopupMenu>("puHour"),
            StreamBuilder().Int("ListIndex", 0).Str("InitialValue", "").Int("Width", 60).Bytes());
        ControlAs<PopupMenu>("puHour").Change.Bind(this, &StreamWindow::puHour_Change,
                                                   "( PopupMenu )");
    }
    void btnOK_Action(BevelButton&) { ++actions; }
    void puHour_Change(PopupMenu& sender) { chosen.push_back(sender.Text()); }
};

TEST(ControlsInAWindow, StreamsEventsAndPaintingWorkInABuiltWindow) {
    RegisterFrameworkClasses();
    auto window = std::make_shared<StreamWindow>();
    window->Constructor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->NativeWidget()));

    auto& label = window->ControlAs<Label>("lblDate");
    const QImage shot = label.NativeLabel()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, 2), QColor(255, 255, 255))
        << "an opaque label shows its window's background";

    auto& button = window->ControlAs<BevelButton>("btnOK");
    EXPECT_EQ(button.NativeButton()->focusPolicy(), Qt::NoFocus) << "AcceptFocus False";
    QTest::mouseClick(button.NativeButton(), Qt::LeftButton);
    EXPECT_EQ(window->actions, 1);

    auto& hour = window->ControlAs<PopupMenu>("puHour");
    EXPECT_EQ(hour.ListCount(), 0);
    for (int i = 0; i < 24; ++i) {
        hour.AddRow(i < 10 ? "0" + std::to_string(i) : std::to_string(i));
    }
    hour.ListIndex(14);
    EXPECT_EQ(window->chosen, std::vector<std::string>{"14"});
    window->Close();
}

class OneLabelWindow : public Window {
public:
    void CreateControls() override { _AddControl("lbl", std::make_unique<Label>()); }
};

TEST(ControlsInAWindow, AWidgetHasOneOwnerWhicheverGoesFirst) {
    RegisterFrameworkClasses();
    QPointer<QWidget> alone;
    {
        Label label;
        alone = label.NativeWidget();
    }
    EXPECT_TRUE(alone.isNull()) << "a control outside any window deletes its widget";

    auto window = std::make_shared<OneLabelWindow>();
    window->Constructor();
    auto& label = window->ControlAs<Label>("lbl");
    QPointer<QWidget> inWindow = label.NativeWidget();
    EXPECT_NE(inWindow->parent(), nullptr);
    // Deleted through its parent's side: the control is left without it and does not delete it
    // again when it goes (the sanitizer build sees a second delete).
    delete inWindow.data();
    EXPECT_EQ(label.NativeWidget(), nullptr);
    window->Close();
    window.reset();
    CloseAllWindows();
    QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------------------------
// Screen, System, FolderItem

TEST(Screen, MainScreenHasPositiveSizesAndOthersAreOutOfBounds) {
    ASSERT_GE(ScreenCount(), 1);
    const Screen main(0);
    EXPECT_GT(main.Width(), 0);
    EXPECT_GT(main.Height(), 0);
    EXPECT_GT(main.AvailableWidth(), 0);
    EXPECT_GT(main.AvailableHeight(), 0);
    EXPECT_LE(main.AvailableWidth(), main.Width());
    EXPECT_EQ(main.AvailableWidth(), QGuiApplication::primaryScreen()->availableGeometry().width());
    EXPECT_THROW(Screen{-1}, OutOfBoundsException);
    EXPECT_THROW(Screen{ScreenCount()}, OutOfBoundsException);
}

TEST(System, MouseFollowsTheCursor) {
    QCursor::setPos(123, 45);
    EXPECT_EQ(System::MouseX(), 123);
    EXPECT_EQ(System::MouseY(), 45);
}

TEST(FolderItem, OpenAsPictureReadsImagesAndGivesNilOtherwise) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 255));
    ASSERT_TRUE(image.save(dir.filePath("Tick_18.png")));
    {
        std::ofstream garbage((dir.path() + "/X2_18.png").toStdString(), std::ios::binary);
        garbage << "not a picture\x89PNG";
    }
    QDir(dir.path()).mkdir("Sub.png");

    const FolderItem folder(dir.path().toStdString());
    EXPECT_TRUE(folder.Exists());
    EXPECT_TRUE(folder.Directory());

    const FolderItemPtr tick = folder.Child("Tick_18.png");
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(tick->Name(), "Tick_18.png");
    EXPECT_TRUE(tick->Exists());
    const PicturePtr picture = tick->OpenAsPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 5);
    EXPECT_EQ(picture->Height(), 3);
    EXPECT_EQ(picture->Pixel(4, 2), RGB(0, 128, 255));

    for (const char* name : {"X2_18.png", "missing.png", "Sub.png"}) {
        const FolderItemPtr item = folder.Child(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->OpenAsPicture(), nullptr) << name;
    }
    EXPECT_FALSE(folder.Child("missing.png")->Exists());
    for (const char* bad : {"", ".", "..", "a/b"}) {
        EXPECT_EQ(folder.Child(bad), nullptr) << bad;
    }
}

TEST(FolderItem, ApplicationBundleResourcesIsBesideTheExecutableFolder) {
    const FolderItemPtr resources = _GetApplicationBundleResources();
    ASSERT_NE(resources, nullptr);
    EXPECT_EQ(resources->Name(), "Resources");
    const QString expected =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../Resources");
    EXPECT_EQ(QDir::cleanPath(QString::fromStdString(resources->NativePath())), expected);
}

} // namespace
