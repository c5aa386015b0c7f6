#include "pickers/wTim.h"

#include "framework/core/Date.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/FolderItem.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ModalTestSupport.h"
#include "pickers/Icons.h"
#include "pickers/IconsTesting.h"
#include "pickers/wCal.h"
#include "tests/support/DesignedControls.h"
#include "tests/support/ListDriver.h"
#include "tests/support/PickerAccess.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using fw::Int32;

using support::Settle;

class wTimTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fw::RegisterFrameworkClasses();
        wCal::RegisterClass();
        wTim::RegisterClass();
        fw::_InitPluginEntrypoints();
    }

    void SetUp() override {
        pickers_testing::SetIconFolder(nullptr);
        pickers_testing::ForgetIcons();
    }
    void TearDown() override {
        if (tim != nullptr && tim->IsOpen()) {
            tim->Close();
        }
        fw::testing::ClearModalAnswers();
        pickers_testing::SetIconFolder(nullptr);
        pickers_testing::ForgetIcons();
        Settle();
    }

    void Open() {
        tim = wTim::Instance();
        ASSERT_NE(tim, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tim->NativeWidget()));
    }

    // GetTime on the given date, with act answering the modal window from inside.
    fw::DatePtr Pick(const fw::DatePtr& given, std::function<void(wTim&)> act) {
        fw::testing::OnNextModalWindow(
            [act](fw::Window& window) { act(dynamic_cast<wTim&>(window)); });
        return tim->GetTime(given, fw::Color(0xFFFFFF), 0, 0);
    }

    static void Click(fw::BevelButton& button) {
        QTest::mouseClick(button.NativeButton(), Qt::LeftButton);
        Settle();
    }

    static std::string IconsFolder() {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../Resources")
            .toStdString();
    }

    std::shared_ptr<wTim> tim;
};

TEST_F(wTimTest, TheWindowIsBuiltFromItsDesign) {
    Open();
    EXPECT_EQ(fw::_GetImplicitWindow("wTim.wTim"), tim);
    EXPECT_EQ(wTim::Instance(), tim);
    EXPECT_EQ(tim->Title(), "Time");
    EXPECT_EQ(tim->Width(), 155);
    EXPECT_EQ(tim->Height(), 64);
    EXPECT_EQ(tim->Frame(), 2);
    EXPECT_TRUE(tim->CloseButton());
    EXPECT_TRUE(tim->MinimizeButton());
    EXPECT_FALSE(tim->MaximizeButton());
    EXPECT_TRUE(tim->Resizeable());
    EXPECT_TRUE(tim->NativeWidget()->windowFlags() & Qt::WindowCloseButtonHint);

    const std::vector<support::DesignedControl> designed = {
        {"puHour", "PopupMenu", 15, 12, 40, 20},       {"puMin", "PopupMenu", 58, 12, 40, 20},
        {"puSec", "PopupMenu", 101, 12, 40, 20},       {"btnOK", "BevelButton", 99, 35, 20, 20},
        {"btnCancel", "BevelButton", 121, 35, 20, 20},
    };
    ASSERT_NO_FATAL_FAILURE(support::ExpectDesignedControls(*tim, designed));
    EXPECT_EQ(tim->btnOK().TextFont(), "SmallSystem");
    EXPECT_EQ(tim->btnOK().Bevel(), 0);
    EXPECT_EQ(tim->btnCancel().Bevel(), 4);
    EXPECT_EQ(tim->btnOK().Caption(), "");
    EXPECT_EQ(tim->puHour().ListCount(), 0) << "filled by GetTime";
    // Only the buttons are bound: choosing a row changes nothing until OK.
    EXPECT_TRUE(tim->btnOK().Action.IsBound());
    EXPECT_TRUE(tim->btnCancel().Action.IsBound());
    for (fw::PopupMenu* menu : {&tim->puHour(), &tim->puMin(), &tim->puSec()}) {
        EXPECT_FALSE(menu->Change.IsBound());
    }
    EXPECT_EQ(wTimTestAccess::IntTime(*tim), nullptr);
    EXPECT_EQ(wTimTestAccess::OrigIntTime(*tim), nullptr);
}

TEST_F(wTimTest, PopupsShowTheGivenTime) {
    Open();
    auto given = std::make_shared<fw::Date>(2011, 5, 15, 14, 30, 7);
    Pick(given, [](wTim& t) {
        struct Menu {
            fw::PopupMenu& menu;
            Int32 rows;
            const char* selected;
        };
        const Menu menus[] = {{t.puHour(), 24, "14"}, {t.puMin(), 60, "30"}, {t.puSec(), 60, "07"}};
        for (const Menu& m : menus) {
            ASSERT_EQ(m.menu.ListCount(), m.rows);
            for (Int32 i = 0; i < m.rows; ++i) {
                const std::string expected = (i < 10 ? "0" : "") + std::to_string(i);
                EXPECT_EQ(m.menu.List(i), expected);
            }
            EXPECT_EQ(m.menu.Text(), m.selected);
            EXPECT_EQ(m.menu.ListIndex(), std::stoi(m.selected));
        }
        EXPECT_EQ(t.BackColor(), fw::Color(0xFFFFFF));
        Click(t.btnCancel());
    });
}

TEST_F(wTimTest, OkCancelAndCloseBox) {
    struct Case {
        const char* what;
        std::function<void(wTim&)> act;
        const char* expected;
    };
    auto choose = [](wTim& t) {
        t.puHour().ListIndex(9);
        t.puMin().ListIndex(5);
        t.puSec().ListIndex(0);
    };
    const Case cases[] = {
        {"OK unchanged", [](wTim& t) { Click(t.btnOK()); }, "2011-05-15 14:30:07"},
        {"OK with choices",
         [&](wTim& t) {
             choose(t);
             EXPECT_EQ(wTimTestAccess::IntTime(t)->SQLDateTime(), "2011-05-15 14:30:07")
                 << "choosing alone changes nothing";
             Click(t.btnOK());
         },
         "2011-05-15 09:05:00"},
        {"Cancel after choices",
         [&](wTim& t) {
             choose(t);
             Click(t.btnCancel());
         },
         "2011-05-15 14:30:07"},
        {"close box after choices",
         [&](wTim& t) {
             choose(t);
             t.NativeWidget()->close(); // as the desktop's close box does
         },
         "2011-05-15 14:30:07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open();
        auto given = std::make_shared<fw::Date>(2011, 5, 15, 14, 30, 7);
        fw::DatePtr result = Pick(given, c.act);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->SQLDateTime(), c.expected);
        EXPECT_EQ(result, wTimTestAccess::IntTime(*tim));
        EXPECT_NE(result, given);
        EXPECT_EQ(given->SQLDateTime(), "2011-05-15 14:30:07");
        EXPECT_FALSE(tim->IsOpen());
        EXPECT_EQ(fw::_GetImplicitWindow("wTim.wTim"), nullptr);
        EXPECT_EQ(fw::testing::PendingModalAnswers(), 0);
    }
    EXPECT_THROW(wTim::Instance()->GetTime(nullptr, fw::Color(0xFFFFFF), 0, 0),
                 fw::NilObjectException);
}

TEST_F(wTimTest, PlacedAtTheMouseInsideScreenZero) {
    const fw::Screen screen(0);
    Open();
    QCursor::setPos(screen.AvailableWidth() - 3, 17);
    Pick(std::make_shared<fw::Date>(2011, 5, 15, 1, 2, 3), [&](wTim& t) {
        // The frame the desktop draws around it stays on the screen as well.
        const QWidget* native = t.NativeWidget();
        const int frameRight = native->frameGeometry().right() - native->geometry().right();
        EXPECT_EQ(t.Left(), screen.AvailableWidth() - 155 - frameRight);
        EXPECT_EQ(t.Top(), 17);
        Click(t.btnOK());
    });
}

TEST_F(wTimTest, ButtonsShowTheIconsFromTheResourcesFolder) {
    Open();
    fw::PicturePtr tick = tim->btnOK().Icon();
    fw::PicturePtr cross = tim->btnCancel().Icon();
    ASSERT_NE(tick, nullptr) << "looked in " << IconsFolder();
    ASSERT_NE(cross, nullptr);
    EXPECT_EQ(tick->Width(), 18);
    EXPECT_EQ(tick->Height(), 18);
    EXPECT_EQ(cross->Width(), 18);
    // A green tick and a red cross on a transparent ground.
    EXPECT_EQ(tick->Image().pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(cross->Image().pixelColor(0, 0).alpha(), 0);
    const QColor tickInk = tick->Image().pixelColor(7, 13);
    EXPECT_GT(tickInk.green(), tickInk.red() + 60);
    const QColor crossInk = cross->Image().pixelColor(9, 9);
    EXPECT_GT(crossInk.red(), crossInk.green() + 100);
    // The button shows it.
    Settle();
    const QImage shown = tim->btnOK().NativeButton()->grab().toImage();
    bool green = false;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            green =
                green || (c.green() > 120 && c.green() > c.red() + 60 && c.green() > c.blue() + 60);
        }
    }
    EXPECT_TRUE(green);
    // Shared by every time window, and not read again.
    EXPECT_EQ(Tick_18(), tick);
    EXPECT_EQ(X2_18(), cross);
    tim->Close();
    Open();
    EXPECT_EQ(tim->btnOK().Icon(), tick);
}

TEST_F(wTimTest, MissingIconsLeaveBareButtonsThatStillWork) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    pickers_testing::SetIconFolder(std::make_shared<fw::FolderItem>(dir.path().toStdString()));
    Open();
    EXPECT_EQ(tim->btnOK().Icon(), nullptr);
    EXPECT_EQ(tim->btnCancel().Icon(), nullptr);
    fw::DatePtr result = Pick(std::make_shared<fw::Date>(2011, 5, 15, 14, 30, 7), [](wTim& t) {
        t.puHour().ListIndex(1);
        Click(t.btnOK());
    });
    EXPECT_EQ(result->SQLDateTime(), "2011-05-15 01:30:07");

    // Files added while the application runs appear on the next opening.
    const QString source = QString::fromStdString(IconsFolder());
    ASSERT_TRUE(QFile::copy(source + "/Tick_18.png", dir.filePath("Tick_18.png")));
    Open();
    ASSERT_NE(tim->btnOK().Icon(), nullptr);
    EXPECT_EQ(tim->btnCancel().Icon(), nullptr);
    fw::PicturePtr tick = tim->btnOK().Icon();
    tim->Close();

    // Once loaded, a picture stays even when its file goes.
    ASSERT_TRUE(QFile::remove(dir.filePath("Tick_18.png")));
    EXPECT_EQ(Tick_18(), tick);
    ASSERT_TRUE(QFile::copy(source + "/X2_18.png", dir.filePath("X2_18.png")));
    EXPECT_NE(X2_18(), nullptr);

    // No folder at all, and a file that is no picture.
    pickers_testing::ForgetIcons();
    pickers_testing::SetIconFolder(
        std::make_shared<fw::FolderItem>((dir.path() + "/missing").toStdString()));
    EXPECT_EQ(Tick_18(), nullptr);
    QFile garbage(dir.filePath("Tick_18.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture");
    garbage.close();
    pickers_testing::SetIconFolder(std::make_shared<fw::FolderItem>(dir.path().toStdString()));
    EXPECT_EQ(Tick_18(), nullptr);
}

} // namespace
