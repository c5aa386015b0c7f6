#include "pickers/Streams.h"

#include "framework/core/ClassRegistry.h"
#include "framework/core/PropertyStream.h"
#include "framework/ui/FrameworkClasses.h"
#include "pickers/wCal.h"
#include "pickers/wTim.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

using fw::Color;
using fw::Int32;
using fw::PropertyValue;

const std::vector<std::string_view> kWindowOrder = {
    "Placement",   "Width",      "Height",     "MinWidth",       "MinHeight",
    "MaxWidth",    "MaxHeight",  "Frame",      "Composite",      "HasBackColor",
    "BackColor",   "Title",      "Visible",    "FullScreen",     "MenuBarVisible",
    "CloseButton", "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton",
    "MacProcID"};
const std::vector<std::string_view> kPopupOrder = {
    "InitialParent", "DataField", "DataSource", "Underline",
    "Italic",        "Bold",      "TextFont",   "AutoDeactivate",
    "HelpTag",       "Visible",   "ListIndex",  "InitialValue",
    "Enabled",       "TabStop",   "TabIndex",   "TabPanelIndex",
    "LockBottom",    "LockRight", "LockTop",    "LockLeft",
    "Height",        "Width",     "Top",        "Left",
    "Index",         "Name"};
const std::vector<std::string_view> kListboxOrder = {"InitialParent",
                                                     "DataField",
                                                     "DataSource",
                                                     "AutoHideScrollbars",
                                                     "ColumnsResizable",
                                                     "SelectionType",
                                                     "RequiresSelection",
                                                     "EnableDragReorder",
                                                     "EnableDrag",
                                                     "Hierarchical",
                                                     "Underline",
                                                     "Italic",
                                                     "Bold",
                                                     "TextFont",
                                                     "_ScrollWidth",
                                                     "DefaultRowHeight",
                                                     "GridLinesVertical",
                                                     "GridLinesHorizontal",
                                                     "ScrollBarVertical",
                                                     "ScrollbarHorizontal",
                                                     "HeadingIndex",
                                                     "InitialValue",
                                                     "UseFocusRing",
                                                     "HasHeading",
                                                     "ColumnWidths",
                                                     "ColumnCount",
                                                     "Border",
                                                     "Enabled",
                                                     "AutoDeactivate",
                                                     "HelpTag",
                                                     "Visible",
                                                     "TabStop",
                                                     "TabIndex",
                                                     "TabPanelIndex",
                                                     "LockBottom",
                                                     "LockRight",
                                                     "LockTop",
                                                     "LockLeft",
                                                     "Height",
                                                     "Width",
                                                     "Top",
                                                     "Left",
                                                     "Index",
                                                     "Name"};
const std::vector<std::string_view> kButtonOrder = {
    "Underline",     "Italic",   "Bold",      "TextFont",       "AcceptFocus",  "ButtonType",
    "MenuValue",     "Value",    "TextColor", "BackColor",      "HasBackColor", "HasMenu",
    "Bevel",         "IconDY",   "IconDX",    "IconAlign",      "CaptionDelta", "CaptionPlacement",
    "CaptionAlign",  "Caption",  "Enabled",   "AutoDeactivate", "HelpTag",      "Visible",
    "InitialParent", "TabStop",  "TabIndex",  "TabPanelIndex",  "LockBottom",   "LockRight",
    "LockTop",       "LockLeft", "Height",    "Width",          "Top",          "Left",
    "Index",         "Name"};
const std::vector<std::string_view> kLabelOrder = {
    "InitialParent", "DataField", "DataSource",     "Underline",     "Italic",
    "Bold",          "TextFont",  "AutoDeactivate", "HelpTag",       "Transparent",
    "Selectable",    "Visible",   "Enabled",        "Multiline",     "TextColor",
    "TextAlign",     "Text",      "TabIndex",       "TabPanelIndex", "LockBottom",
    "LockRight",     "LockTop",   "LockLeft",       "Height",        "Width",
    "Top",           "Left",      "Index",          "Name",          "TabStop"};

struct StreamCase {
    const char* name;
    std::string_view stream;
    std::size_t length;
    const char* classFullName;
    const std::vector<std::string_view>* order;
    // Values that tell this stream from the others of its kind.
    std::vector<std::pair<std::string_view, PropertyValue>> values;
};

class PickerStreams : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fw::RegisterFrameworkClasses();
        wCal::RegisterClass();
        wTim::RegisterClass();
    }

    static std::vector<StreamCase> Cases() {
        const std::string months = "January\rFebruary\rMarch\rApril\rMay\rJune\rJuly\rAugust\r"
                                   "September\rOctober\rNovember\rDecember";
        return {
            {"wCal",
             kWCalStream,
             275,
             "wCal.wCal",
             &kWindowOrder,
             {{"Width", Int32(194)},
              {"Height", Int32(207)},
              {"Frame", Int32(5)},
              {"Composite", false},
              {"BackColor", Color(0xFFFFFF)},
              {"Title", std::string("Calendar")},
              {"MenuBarVisible", false},
              {"CloseButton", false},
              {"Resizeable", false},
              {"LiveResize", false},
              {"MinimizeButton", false},
              {"MaximizeButton", false}}},
            {"puMonth",
             kPuMonthStream,
             404,
             "PopupMenu",
             &kPopupOrder,
             {{"InitialValue", months},
              {"TabIndex", Int32(0)},
              {"Width", Int32(80)},
              {"Top", Int32(7)},
              {"Left", Int32(11)},
              {"Name", std::string("puMonth")},
              {"TextFont", std::string("SmallSystem")},
              {"ListIndex", Int32(0)}}},
            {"puYear",
             kPuYearStream,
             337,
             "PopupMenu",
             &kPopupOrder,
             {{"InitialValue", std::string("2010\r2011\r2012\r2013")},
              {"TabIndex", Int32(1)},
              {"Width", Int32(60)},
              {"Left", Int32(123)},
              {"Name", std::string("puYear")}}},
            {"lbCal",
             kLbCalStream,
             644,
             "Listbox",
             &kListboxOrder,
             {{"InitialValue", std::string("S,M,T,W,T,F,S")},
              {"_ScrollWidth", Int32(-1)},
              {"HeadingIndex", Int32(-1)},
              {"DefaultRowHeight", Int32(18)},
              {"GridLinesVertical", Int32(1)},
              {"GridLinesHorizontal", Int32(1)},
              {"ScrollBarVertical", false},
              {"ScrollbarHorizontal", false},
              {"ColumnCount", Int32(7)},
              {"HasHeading", true},
              {"Border", true},
              {"ColumnWidths", std::string()},
              {"TabIndex", Int32(2)},
              {"Height", Int32(125)},
              {"Width", Int32(172)},
              {"Top", Int32(31)},
              {"Left", Int32(11)},
              {"Name", std::string("lbCal")}}},
            {"btnLeft",
             kBtnLeftStream,
             469,
             "BevelButton",
             &kButtonOrder,
             {{"Caption", std::string("<")},
              {"TabIndex", Int32(3)},
              {"Left", Int32(11)},
              {"Bold", true},
              {"TextFont", std::string("System")},
              {"Top", Int32(155)},
              {"Width", Int32(22)},
              {"Height", Int32(22)},
              {"IconAlign", Int32(0)}}},
            {"btnRight",
             kBtnRightStream,
             470,
             "BevelButton",
             &kButtonOrder,
             {{"Caption", std::string(">")}, {"TabIndex", Int32(4)}, {"Left", Int32(53)}}},
            // Left 32 is stored 00 00 00 20: the blank's byte inside a value ends nothing.
            {"btnToday",
             kBtnTodayStream,
             470,
             "BevelButton",
             &kButtonOrder,
             {{"Caption", std::string("T")}, {"TabIndex", Int32(5)}, {"Left", Int32(32)}}},
            {"lblDate",
             kLblDateStream,
             368,
             "Label",
             &kLabelOrder,
             {{"Text", std::string("Untitled")},
              {"TextColor", Color(0x0000FF)},
              {"TextAlign", Int32(1)},
              {"TabIndex", Int32(6)},
              {"Width", Int32(172)},
              {"Top", Int32(180)},
              {"Name", std::string("lblDate")},
              {"TabStop", true}}},
            {"wTim",
             kWTimStream,
             271,
             "wTim.wTim",
             &kWindowOrder,
             {{"Width", Int32(155)},
              {"Height", Int32(64)},
              {"Frame", Int32(2)},
              {"Composite", true},
              {"Title", std::string("Time")},
              {"CloseButton", true},
              {"Resizeable", true},
              {"MinimizeButton", true},
              {"MaximizeButton", false},
              {"MenuBarVisible", true}}},
            {"puHour",
             kPuHourStream,
             318,
             "PopupMenu",
             &kPopupOrder,
             {{"InitialValue", std::string()},
              {"TabIndex", Int32(0)},
              {"Left", Int32(15)},
              {"Top", Int32(12)},
              {"Width", Int32(40)},
              {"Name", std::string("puHour")}}},
            {"puMin",
             kPuMinStream,
             317,
             "PopupMenu",
             &kPopupOrder,
             {{"TabIndex", Int32(1)}, {"Left", Int32(58)}, {"Name", std::string("puMin")}}},
            {"puSec",
             kPuSecStream,
             317,
             "PopupMenu",
             &kPopupOrder,
             {{"TabIndex", Int32(2)}, {"Left", Int32(101)}, {"Name", std::string("puSec")}}},
            {"btnOK",
             kBtnOKStream,
             471,
             "BevelButton",
             &kButtonOrder,
             {{"Caption", std::string()},
              {"Bevel", Int32(0)},
              {"IconAlign", Int32(1)},
              {"Bold", false},
              {"TextFont", std::string("SmallSystem")},
              {"TabIndex", Int32(3)},
              {"Left", Int32(99)},
              {"Top", Int32(35)},
              {"Width", Int32(20)},
              {"Name", std::string("btnOK")}}},
            {"btnCancel",
             kBtnCancelStream,
             475,
             "BevelButton",
             &kButtonOrder,
             {{"Caption", std::string()},
              {"Bevel", Int32(4)},
              {"TabIndex", Int32(4)},
              {"Left", Int32(121)},
              {"Name", std::string("btnCancel")}}},
        };
    }
};

TEST_F(PickerStreams, EachParsesToItsLengthAndEntriesInItsKindsOrder) {
    for (const StreamCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.stream.size(), c.length);
        std::vector<fw::PropertyEntry> entries;
        ASSERT_NO_THROW(entries = fw::ReadPropertyStream(c.classFullName, c.stream));
        ASSERT_EQ(entries.size(), c.order->size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].name, (*c.order)[i]) << "entry " << i;
            EXPECT_NE(entries[i].property, nullptr) << entries[i].name;
        }
        // Every control is found by its name alone.
        if (c.order != &kWindowOrder) {
            for (const fw::PropertyEntry& e : entries) {
                if (e.name == "Index") {
                    EXPECT_EQ(std::get<Int32>(e.value), INT32_MIN);
                }
            }
        }
        for (const auto& [name, expected] : c.values) {
            bool found = false;
            for (const fw::PropertyEntry& e : entries) {
                if (e.name == name) {
                    found = true;
                    EXPECT_EQ(e.value, expected) << name;
                }
            }
            EXPECT_TRUE(found) << name;
        }
    }
}

TEST_F(PickerStreams, BytesAreStoredRaw) {
    // Index as the smallest Int32, white as three FF bytes, an empty String as four zeros.
    EXPECT_NE(kBtnTodayStream.find(std::string_view("Index \x80\x00\x00\x00", 10)),
              std::string_view::npos);
    EXPECT_NE(kBtnTodayStream.find(std::string_view("Left \x00\x00\x00\x20", 9)),
              std::string_view::npos);
    EXPECT_NE(kWTimStream.find("BackColor \xFF\xFF\xFF"), std::string_view::npos);
    EXPECT_NE(kBtnOKStream.find(std::string_view("Caption \x00\x00\x00\x00", 12)),
              std::string_view::npos);
    EXPECT_NE(kPuYearStream.find(std::string_view("InitialValue \x00\x00\x00\x13"
                                                  "2010\r2011\r2012\r2013",
                                                  36)),
              std::string_view::npos);
    // The streams end on their last value byte.
    EXPECT_EQ(kLblDateStream.back(), '\x01');
    EXPECT_EQ(kBtnCancelStream.substr(kBtnCancelStream.size() - 9), "btnCancel");
}

} // namespace
