#include "app/MenuBar1.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

struct ExpectedItem {
    const char* name;
    const char* text;
    const char* shortcut;
    bool separator;
};

void ExpectItem(const fw::MenuItemPtr& item, const ExpectedItem& expected) {
    SCOPED_TRACE(expected.name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Name(), expected.name);
    EXPECT_EQ(item->Text(), expected.text);
    EXPECT_EQ(item->KeyboardShortcut(), expected.shortcut);
    EXPECT_EQ(item->IsSeparator(), expected.separator);
    EXPECT_TRUE(item->AutoEnable());
}

TEST(MenuBar1Test, OneSharedInstanceWithOneFileAndOneEditMenu) {
    std::shared_ptr<MenuBar1> first = MenuBar1::Instance();
    std::shared_ptr<MenuBar1> second = MenuBar1::Instance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, MenuBar1::_implicitInstance);
    // Asking again built no second copy of the menus.
    ASSERT_EQ(first->Count(), 2);
    ExpectItem(first->Item(0), {"FileMenu", "&File", "", false});
    ExpectItem(first->Item(1), {"EditMenu", "&Edit", "", false});
}

TEST(MenuBar1Test, FileMenuHoldsOnlyQuit) {
    fw::MenuItemPtr file = MenuBar1::Instance()->Child("FileMenu");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->Count(), 1);
    ExpectItem(file->Item(0), {"FileQuit", "&Quit", "Cmd+Q", false});
    EXPECT_NE(std::dynamic_pointer_cast<fw::QuitMenuItem>(file->Item(0)), nullptr);
}

TEST(MenuBar1Test, EditMenuHoldsEightItemsInOrder) {
    const ExpectedItem expected[] = {
        {"EditUndo", "&Undo", "Cmd+Z", false},   {"UntitledMenu1", "-", "", true},
        {"EditCut", "Cu&t", "Cmd+X", false},     {"EditCopy", "&Copy", "Cmd+C", false},
        {"EditPaste", "&Paste", "Cmd+V", false}, {"EditClear", "&Delete", "", false},
        {"UntitledMenu0", "-", "", true},        {"EditSelectAll", "Select &All", "Cmd+A", false},
    };
    fw::MenuItemPtr edit = MenuBar1::Instance()->Child("EditMenu");
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->Count(), 8);
    for (fw::Int32 i = 0; i < 8; ++i) {
        ExpectItem(edit->Item(i), expected[i]);
        // Only Quit does anything of the system's own.
        EXPECT_EQ(std::dynamic_pointer_cast<fw::QuitMenuItem>(edit->Item(i)), nullptr);
    }
}

} // namespace
