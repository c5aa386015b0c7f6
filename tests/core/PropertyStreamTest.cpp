#include "framework/core/PropertyStream.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using fw::Color;
using fw::Int32;
using fw::Property;

struct TestBase : fw::Object {
    std::string_view ClassFullName() const override { return "TestBase"; }

    Int32 left = 0;
    Int32 index = 0;
    Int32 macProcId = 0;
    bool visible = false;
    Color backColor;
    std::vector<std::string> applied; // property names in the order they were set
};

struct TestDerived : TestBase {
    std::string_view ClassFullName() const override { return "TestDerived"; }

    Int32 headingIndex = 0;
    bool multiLine = false;
    std::string title = "unset";
    std::string initialValue = "unset";
};

struct Unregistered : fw::Object {
    std::string_view ClassFullName() const override { return "Unregistered"; }
};

template <class T, class V, auto Member> fw::PropertyInfo Field(const char* name) {
    return Property<T, V>(name, [name](T& t, V v) {
        t.*Member = std::move(v);
        t.applied.push_back(name);
    });
}

// Builds a stream byte by byte.
class Bytes {
public:
    Bytes& Name(std::string_view name) {
        m_bytes += name;
        m_bytes += ' ';
        return *this;
    }
    Bytes& Raw(std::initializer_list<int> bytes) {
        for (int b : bytes) {
            m_bytes += static_cast<char>(b);
        }
        return *this;
    }
    Bytes& I32(std::uint32_t v) {
        return Raw({int(v >> 24), int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)});
    }
    Bytes& Str(std::string_view text) {
        I32(static_cast<std::uint32_t>(text.size()));
        m_bytes += text;
        return *this;
    }
    const std::string& str() const { return m_bytes; }
    std::size_t size() const { return m_bytes.size(); }

private:
    std::string m_bytes;
};

class PropertyStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& registry = fw::ClassRegistry::Instance();
        registry.Clear();
        registry.Register({"TestBase",
                           "",
                           {Field<TestBase, Int32, &TestBase::left>("Left"),
                            Field<TestBase, Int32, &TestBase::index>("Index"),
                            Field<TestBase, Int32, &TestBase::macProcId>("MacProcId"),
                            Field<TestBase, bool, &TestBase::visible>("Visible"),
                            Field<TestBase, Color, &TestBase::backColor>("BackColor")}});
        registry.Register(
            {"TestDerived",
             "TestBase",
             {Field<TestDerived, Int32, &TestDerived::headingIndex>("HeadingIndex"),
              Field<TestDerived, bool, &TestDerived::multiLine>("MultiLine"),
              Field<TestDerived, std::string, &TestDerived::title>("Title"),
              Field<TestDerived, std::string, &TestDerived::initialValue>("InitialValue"),
              Property<TestDerived, Color>("BackColor", [](TestDerived& t, Color c) {
                  t.backColor = c;
                  t.applied.push_back("TestDerived.BackColor");
              })}});
    }
    void TearDown() override { fw::ClassRegistry::Instance().Clear(); }
};

TEST_F(PropertyStreamTest, AppliesEveryEncodingInStreamOrder) {
    const std::string cr = "2010\r2011\r2012\r2013";
    Bytes s;
    s.Name("Title").Str("lb1");
    s.Name("Index").Raw({0x80, 0x00, 0x00, 0x00});
    s.Name("HeadingIndex").Raw({0xFF, 0xFF, 0xFF, 0xFF});
    s.Name("Left").Raw({0x00, 0x00, 0x00, 0x20}); // the 0x20 belongs to the value
    s.Name("Visible").Raw({0x01});
    s.Name("BackColor").Raw({0x80, 0x00, 0xFF});
    s.Name("InitialValue").Str(cr);
    s.Name("MacProcID").I32(857);
    s.Name("Multiline").Raw({0x01});

    TestDerived target;
    fw::_SetProperties(target, s.str());

    EXPECT_EQ(target.title, "lb1");
    EXPECT_EQ(target.index, -2147483647 - 1);
    EXPECT_EQ(target.headingIndex, -1);
    EXPECT_EQ(target.left, 32);
    EXPECT_TRUE(target.visible);
    EXPECT_EQ(target.backColor, fw::RGB(0x80, 0x00, 0xFF));
    EXPECT_EQ(target.initialValue, cr);
    EXPECT_EQ(target.initialValue.size(), 19u);
    EXPECT_EQ(target.macProcId, 857);
    EXPECT_TRUE(target.multiLine);
    EXPECT_EQ(target.applied, (std::vector<std::string>{"Title", "Index", "HeadingIndex", "Left",
                                                        "Visible", "TestDerived.BackColor",
                                                        "InitialValue", "MacProcId", "MultiLine"}));
}

TEST_F(PropertyStreamTest, StringsKeepEveryByteAndEmptyIsFourZeroBytes) {
    const std::string awkward("a\0 b\r\n\xC3\xA9 ", 9);
    Bytes s;
    s.Name("Title").Raw({0, 0, 0, 0});
    s.Name("InitialValue").Str(awkward);
    s.Name("Visible").Raw({0x00});

    const std::vector<fw::PropertyEntry> entries = fw::ReadPropertyStream("TestDerived", s.str());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "Title");
    EXPECT_EQ(entries[0].offset, 0u);
    EXPECT_EQ(std::get<std::string>(entries[0].value), "");
    EXPECT_EQ(entries[1].offset, 10u);
    EXPECT_EQ(std::get<std::string>(entries[1].value), awkward);
    EXPECT_EQ(entries[2].property->name, "Visible");
    EXPECT_EQ(std::get<bool>(entries[2].value), false);
}

TEST_F(PropertyStreamTest, ReaderTypesNamesThroughAncestorsWithoutApplying) {
    Bytes s;
    s.Name("left").I32(0xFFFFFFFE);
    s.Name("BACKCOLOR").Raw({0xFF, 0xFF, 0xFF});

    // The base class declares BackColor too; the nearest declaration is the one chosen.
    const auto derived = fw::ReadPropertyStream("TestDerived", s.str());
    ASSERT_EQ(derived.size(), 2u);
    EXPECT_EQ(derived[0].name, "left");
    EXPECT_EQ(derived[0].property->name, "Left");
    EXPECT_EQ(std::get<Int32>(derived[0].value), -2);
    EXPECT_EQ(std::get<Color>(derived[1].value), fw::RGB(255, 255, 255));
    EXPECT_EQ(derived[1].property,
              fw::ClassRegistry::Instance().FindProperty("TestDerived", "BackColor"));
    EXPECT_NE(derived[1].property,
              fw::ClassRegistry::Instance().FindProperty("TestBase", "BackColor"));

    // A name only the derived class declares does not exist for the base.
    EXPECT_THROW(fw::ReadPropertyStream("TestBase", Bytes().Name("Title").Str("x").str()),
                 fw::UnsupportedFormatException);
}

TEST_F(PropertyStreamTest, EmptyStreamAppliesNothing) {
    TestDerived target;
    fw::RuntimeMassPropertySetter(target, {});
    EXPECT_TRUE(target.applied.empty());
    EXPECT_TRUE(fw::ReadPropertyStream("TestBase", "").empty());
}

// Every stream below starts with two good entries (Left at 0, Visible at 9), then a bad one
// at byte 18; the good ones are applied, the bad one and anything after it are not.
TEST_F(PropertyStreamTest, MalformedStreamRaisesAfterApplyingEarlierEntries) {
    const Bytes good = Bytes().Name("Left").I32(7).Name("Visible").Raw({0x01});
    ASSERT_EQ(good.size(), 18u);
    const std::string after = Bytes().Name("Index").I32(1).str();

    struct Case {
        const char* what;
        std::string bad;
        const char* mustMention;
        bool runsToEnd; // a following entry would be swallowed into the bad one
    };
    const Case cases[] = {
        {"name without a blank", "Title", "Title", true},
        {"undeclared name", Bytes().Name("Width").I32(1).str(), "Width", false},
        {"empty name", Bytes().Name("").I32(1).str(), "byte 18", false},
        {"garbage name", std::string("\x01\xFF\x7F \x00", 5), "\\x01\\xFF", false},
        {"Boolean 02", Bytes().Name("MultiLine").Raw({0x02}).str(), "02", false},
        {"Boolean FF", Bytes().Name("Visible").Raw({0xFF}).str(), "FF", false},
        {"Int32 past end", Bytes().Name("Index").Raw({0, 0, 1}).str(), "Index", true},
        {"String length past end", Bytes().Name("Title").I32(4).Raw({'a', 'b', 'c'}).str(), "Title",
         true},
        {"String length cut", Bytes().Name("Title").Raw({0, 0}).str(), "Title", true},
        {"String length overflowing", Bytes().Name("Title").I32(0xFFFFFFFF).Raw({'a'}).str(),
         "Title", false},
        {"String length 2^31", Bytes().Name("Title").I32(0x80000000).str(), "Title", false},
        {"String length 7FFFFFFF", Bytes().Name("Title").I32(0x7FFFFFFF).Raw({'a'}).str(), "Title",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& tail : {std::string(), after}) {
            if (c.runsToEnd && !tail.empty()) {
                continue;
            }
            TestDerived target;
            try {
                fw::RuntimeMassPropertySetter(target, good.str() + c.bad + tail);
                ADD_FAILURE() << "no exception";
            } catch (const fw::UnsupportedFormatException& e) {
                const std::string message = e.Message();
                EXPECT_NE(message.find("byte 18"), std::string::npos) << message;
                EXPECT_NE(message.find(c.mustMention), std::string::npos) << message;
                EXPECT_NE(message.find("TestDerived"), std::string::npos) << message;
            }
            EXPECT_EQ(target.applied, (std::vector<std::string>{"Left", "Visible"}));
        }
    }
}

// Cutting a valid stream anywhere inside an entry must raise, never read past the cut, and
// keep exactly the entries that were complete.
TEST_F(PropertyStreamTest, TruncationAtEveryPointKeepsOnlyCompleteEntries) {
    Bytes s;
    s.Name("Left").I32(0x00000020);
    const std::size_t endLeft = s.size();
    s.Name("Title").Str("a b");
    const std::size_t endTitle = s.size();
    s.Name("BackColor").Raw({1, 2, 3});
    const std::size_t endColor = s.size();
    s.Name("MultiLine").Raw({0x00});
    const std::size_t endAll = s.size();

    struct Cut {
        std::size_t length;
        std::size_t applied;
    };
    const Cut cuts[] = {
        {1, 0},
        {4, 0},             // "Left", no blank
        {5, 0},             // "Left ", no value
        {endLeft - 1, 0},   // 3 of 4 Int32 bytes
        {endLeft, 1},       // clean end
        {endLeft + 6, 1},   // "Title ", no length
        {endLeft + 8, 1},   // half a length
        {endLeft + 10, 1},  // length, no text
        {endTitle - 1, 1},  // text cut short
        {endTitle + 10, 2}, // "BackColor ", no bytes
        {endColor - 1, 2},  // two of three colour bytes
        {endColor + 10, 3}, // "MultiLine ", no byte
        {endAll, 4},
    };
    for (const Cut& cut : cuts) {
        SCOPED_TRACE("cut at " + std::to_string(cut.length));
        // A copy of exactly the cut length lets the address sanitizer catch any over-read.
        const std::string stream = s.str().substr(0, cut.length);
        TestDerived target;
        const bool clean = cut.length == endLeft || cut.length == endAll;
        if (clean) {
            EXPECT_NO_THROW(fw::RuntimeMassPropertySetter(target, stream));
        } else {
            EXPECT_THROW(fw::RuntimeMassPropertySetter(target, stream),
                         fw::UnsupportedFormatException);
        }
        EXPECT_EQ(target.applied.size(), cut.applied);
    }
}

TEST_F(PropertyStreamTest, UnregisteredTargetClassRaises) {
    Unregistered target;
    EXPECT_THROW(fw::RuntimeMassPropertySetter(target, Bytes().Name("Left").I32(1).str()),
                 fw::UnsupportedFormatException);
    EXPECT_THROW(fw::ReadPropertyStream("Nobody", ""), fw::UnsupportedFormatException);
}

} // namespace
