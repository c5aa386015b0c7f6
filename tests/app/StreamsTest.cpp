#include "app/Streams.h"

#include "app/Window1.h"
#include "framework/core/ClassRegistry.h"
#include "framework/core/PropertyStream.h"
#include "framework/core/Text.h"
#include "framework/ui/FrameworkClasses.h"
#include "listbox/TambrelListBox.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

using fw::Color;
using fw::Int32;
using fw::PropertyValue;

struct ExpectedEntry {
    std::string_view name;
    PropertyValue value;
};

const std::vector<ExpectedEntry> kWindow1Entries = {
    {"Placement", Int32(2)},
    {"Width", Int32(857)},
    {"Height", Int32(447)},
    {"MinWidth", Int32(64)},
    {"MinHeight", Int32(64)},
    {"MaxWidth", Int32(32000)},
    {"MaxHeight", Int32(32000)},
    {"Frame", Int32(0)},
    {"Composite", true},
    {"HasBackColor", true},
    {"BackColor", Color(0xFFFFFF)},
    {"Title", std::string("Untitled")},
    {"Visible", true},
    {"FullScreen", true},
    {"MenuBarVisible", true},
    {"CloseButton", true},
    {"Resizeable", true},
    {"LiveResize", true},
    {"MaximizeButton", false},
    {"MinimizeButton", true},
    {"MacProcID", Int32(0)},
};

const std::vector<ExpectedEntry> kLb1Entries = {
    {"Name", std::string("lb1")},
    {"Index", Int32(INT32_MIN)},
    {"Left", Int32(20)},
    {"Top", Int32(14)},
    {"Width", Int32(817)},
    {"Height", Int32(413)},
    {"LockLeft", true},
    {"LockTop", true},
    {"LockRight", true},
    {"LockBottom", true},
    {"TabPanelIndex", Int32(0)},
    {"TabIndex", Int32(1)},
    {"TabStop", true},
    {"TableType", Int32(1)},
    {"Visible", true},
    {"HelpTag", std::string()},
    {"AutoDeactivate", true},
    {"Enabled", true},
    {"Border", true},
    {"BackColor", Color(0xFFFFFF)},
    {"AlternateColor", Color(0xFFFFFF)},
    {"HighlightColor", Color(0x8000FF)},
    {"BoxColor", Color(0x7F7F7F)},
    {"ProgBarColor", Color(0xFFFF66)},
    {"ColumnCount", Int32(11)},
    {"ColumnWidths", std::string()},
    {"HideColumns", std::string("0")},
    {"ColumnTypes", std::string("i,i,se,ce,b,d,s,te,me,ae,p")},
    {"ColAlignment", std::string("l,c,l,d3,c,c,r,c,c,c,c")},
    {"HasHeading", true},
    {"UseFocusRing", false},
    {"InitialValue", std::string("Key,No.,Long String,Currency ,Checkbox,Drop Down,Right String,"
                                 "The Date,Time,DateTime,Progress")},
    {"HeadingIndex", Int32(-1)},
    {"ScrollbarHorizontal", false},
    {"ScrollBarVertical", true},
    {"GridLinesHorizontal", Int32(0)},
    {"GridLinesVertical", Int32(0)},
    {"DefaultRowHeight", Int32(-1)},
    {"_ScrollWidth", Int32(-1)},
    {"TextColor", Color(0x004080)},
    {"TextFont", std::string("Verdana")},
    {"Bold", false},
    {"Italic", false},
    {"Underline", false},
    {"InitialParent", std::string()},
    {"Hierarchical", false},
    {"EnableDrag", false},
    {"EnableDragReorder", false},
    {"RequiresSelection", false},
    {"SelectionType", Int32(0)},
    {"ColumnsResizable", false},
    {"AutoHideScrollbars", true},
    {"DataSource", std::string()},
    {"DataField", std::string()},
    {"DateFormat", std::string("n, d mmm yyyy")},
    {"TimeFormat", std::string("HH:MMap")},
    {"DateTimeFormat", std::string("dd-mm-yy hh:tt ap")},
    {"IntegerFormat", std::string("-#")},
    {"CurrencyFormat", std::string("#,0.00;(#,0.00);\\")},
    {"NumberFormat", std::string("-#0.00")},
};

std::uint32_t BigEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// Walks a stream with the types the expected entries give, independently of the class
// registry: every entry must be the expected name, one blank and a value of exactly its
// encoded size, and the last value must end on the last byte.
void ExpectStreamHolds(std::string_view stream, const std::vector<ExpectedEntry>& expected) {
    std::size_t p = 0;
    for (const ExpectedEntry& entry : expected) {
        SCOPED_TRACE(std::string(entry.name));
        ASSERT_LE(p + entry.name.size() + 1, stream.size());
        ASSERT_EQ(stream.substr(p, entry.name.size()), entry.name);
        p += entry.name.size();
        ASSERT_EQ(stream[p], ' ');
        ++p;
        PropertyValue read;
        switch (entry.value.index()) {
        case 0: // Boolean
            ASSERT_LE(p + 1, stream.size());
            ASSERT_TRUE(stream[p] == 0 || stream[p] == 1);
            read = stream[p] == 1;
            p += 1;
            break;
        case 1: // Int32
            ASSERT_LE(p + 4, stream.size());
            read = static_cast<Int32>(BigEndian(stream, p, 4));
            p += 4;
            break;
        case 2: // Color
            ASSERT_LE(p + 3, stream.size());
            read = Color(BigEndian(stream, p, 3));
            p += 3;
            break;
        default: { // String
            ASSERT_LE(p + 4, stream.size());
            std::size_t length = BigEndian(stream, p, 4);
            p += 4;
            ASSERT_LE(p + length, stream.size());
            read = std::string(stream.substr(p, length));
            p += length;
            break;
        }
        }
        EXPECT_EQ(read, entry.value);
    }
    EXPECT_EQ(p, stream.size()) << "bytes left after the last entry";
}

TEST(StreamsTest, Window1StreamHoldsItsTwentyOneEntriesToTheLastByte) {
    EXPECT_EQ(kWindow1Stream.size(), 275u);
    EXPECT_EQ(kWindow1Stream.size(), kWindow1StreamLength);
    ASSERT_EQ(kWindow1Entries.size(), 21u);
    ExpectStreamHolds(kWindow1Stream, kWindow1Entries);
}

TEST(StreamsTest, Lb1StreamHoldsItsSixtyEntriesToTheLastByte) {
    EXPECT_EQ(kLb1Stream.size(), 1085u);
    EXPECT_EQ(kLb1Stream.size(), kLb1StreamLength);
    ASSERT_EQ(kLb1Entries.size(), 60u);
    ExpectStreamHolds(kLb1Stream, kLb1Entries);
}

TEST(StreamsTest, RawBytesAsStored) {
    // The first entries of the window stream, byte for byte.
    EXPECT_EQ(kWindow1Stream.substr(0, 35), std::string_view("Placement \x00\x00\x00\x02"
                                                             "Width \x00\x00\x03\x59"
                                                             "Height \x00\x00\x01\xBF",
                                                             35));
    EXPECT_EQ(kLb1Stream.substr(0, 12), std::string_view("Name \x00\x00\x00\x03lb1", 12));
    EXPECT_EQ(kLb1Stream.substr(12, 10), std::string_view("Index \x80\x00\x00\x00", 10));
    // The currency pattern ends in exactly one backslash, which is the stream's last byte.
    EXPECT_EQ(kLb1Stream.substr(kLb1Stream.size() - 44, 44),
              std::string_view("\x00\x00\x00\x11#,0.00;(#,0.00);\\"
                               "NumberFormat \x00\x00\x00\x06-#0.00",
                               44));
}

// The framework's reader, typing each value by the declared property of the target class.
class StreamsRegistryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fw::RegisterFrameworkClasses();
        Window1::RegisterClass();
        TambrelListBox::RegisterClass();
    }

    static void ExpectReadAs(std::string_view classFullName, std::string_view stream,
                             const std::vector<ExpectedEntry>& expected) {
        std::vector<fw::PropertyEntry> entries = fw::ReadPropertyStream(classFullName, stream);
        ASSERT_EQ(entries.size(), expected.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            SCOPED_TRACE(std::string(expected[i].name));
            EXPECT_EQ(entries[i].name, expected[i].name);
            EXPECT_EQ(entries[i].value, expected[i].value);
            ASSERT_NE(entries[i].property, nullptr);
            EXPECT_TRUE(fw::EqualsIgnoreCase(entries[i].property->name, expected[i].name));
        }
    }
};

TEST_F(StreamsRegistryTest, Window1StreamReadsForWindow1) {
    ExpectReadAs("Window1.Window1", kWindow1Stream, kWindow1Entries);
}

TEST_F(StreamsRegistryTest, Lb1StreamReadsForTambrelListBox) {
    ExpectReadAs("TambrelListBox", kLb1Stream, kLb1Entries);
}

} // namespace
