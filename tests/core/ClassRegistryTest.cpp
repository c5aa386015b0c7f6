#include "framework/core/ClassRegistry.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using fw::ClassInfo;
using fw::ClassRegistry;
using fw::Int32;
using fw::PropertyType;

struct Base : fw::Object {
    std::string_view ClassFullName() const override { return "Base"; }
    std::vector<std::string> log;
};

struct Derived : Base {
    std::string_view ClassFullName() const override { return "Derived"; }
};

fw::PropertyInfo LoggingInt(const std::string& owner, const std::string& name) {
    return fw::Property<Base, Int32>(
        name, [tag = owner + "." + name](Base& b, Int32) { b.log.push_back(tag); });
}

class ClassRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        registry.Clear();
        registry.Register({"Base",
                           "",
                           {LoggingInt("Base", "Left"), LoggingInt("Base", "Width"),
                            LoggingInt("Base", "MacProcId")}});
        registry.Register({"Derived", "Base", {LoggingInt("Derived", "Width")}});
        registry.Register({"Leaf", "Derived", {}});
    }
    void TearDown() override { registry.Clear(); }

    ClassRegistry& registry = ClassRegistry::Instance();
};

TEST_F(ClassRegistryTest, FindsClassesByExactName) {
    ASSERT_NE(registry.Find("Derived"), nullptr);
    EXPECT_EQ(registry.Find("Derived")->parentName, "Base");
    EXPECT_EQ(registry.Find("derived"), nullptr);
    EXPECT_EQ(registry.Find("Other"), nullptr);
}

TEST_F(ClassRegistryTest, RegisteringANameAgainReplacesIt) {
    registry.Register({"Derived", "", {LoggingInt("Derived", "Top")}});
    EXPECT_EQ(registry.Find("Derived")->parentName, "");
    EXPECT_EQ(registry.FindProperty("Derived", "Left"), nullptr);
    EXPECT_NE(registry.FindProperty("Derived", "Top"), nullptr);
    EXPECT_FALSE(registry.IsA("Leaf", "Base"));
}

TEST_F(ClassRegistryTest, FindPropertyIgnoresCaseAndSearchesAncestorsNearestFirst) {
    struct Case {
        const char* className;
        const char* propertyName;
        const char* expectedTag; // nullptr: not found
    };
    const Case cases[] = {
        {"Base", "Left", "Base.Left"},
        {"Base", "LEFT", "Base.Left"},
        {"Base", "MacProcID", "Base.MacProcId"},
        {"Leaf", "macprocid", "Base.MacProcId"},
        {"Derived", "width", "Derived.Width"},
        {"Leaf", "Width", "Derived.Width"},
        {"Base", "Width", "Base.Width"},
        {"Base", "Lef", nullptr},
        {"Base", "Left ", nullptr},
        {"Base", "", nullptr},
        {"Unknown", "Left", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.className) + " / " + c.propertyName);
        const fw::PropertyInfo* property = registry.FindProperty(c.className, c.propertyName);
        if (c.expectedTag == nullptr) {
            EXPECT_EQ(property, nullptr);
            continue;
        }
        ASSERT_NE(property, nullptr);
        EXPECT_EQ(property->type, PropertyType::Int32);
        Derived target;
        property->set(target, Int32{0});
        EXPECT_EQ(target.log, std::vector<std::string>{c.expectedTag});
    }
}

TEST_F(ClassRegistryTest, IsAFollowsTheParentChain) {
    EXPECT_TRUE(registry.IsA("Leaf", "Leaf"));
    EXPECT_TRUE(registry.IsA("Leaf", "Derived"));
    EXPECT_TRUE(registry.IsA("Leaf", "Base"));
    EXPECT_FALSE(registry.IsA("Base", "Derived"));
    EXPECT_FALSE(registry.IsA("Leaf", "base"));
    EXPECT_FALSE(registry.IsA("Unknown", "Unknown"));
    EXPECT_FALSE(registry.IsA("Leaf", "Unknown"));
}

TEST_F(ClassRegistryTest, ParentCycleOrMissingParentEndsTheLookup) {
    registry.Register({"Base", "Leaf", {LoggingInt("Base", "Left")}});
    EXPECT_EQ(registry.FindProperty("Leaf", "Nothing"), nullptr);
    EXPECT_FALSE(registry.IsA("Leaf", "Other"));
    EXPECT_NE(registry.FindProperty("Leaf", "Left"), nullptr);

    registry.Register({"Orphan", "NeverRegistered", {}});
    EXPECT_EQ(registry.FindProperty("Orphan", "Left"), nullptr);
    EXPECT_FALSE(registry.IsA("Orphan", "NeverRegistered"));
}

TEST_F(ClassRegistryTest, ClearForgetsEverything) {
    registry.Clear();
    EXPECT_EQ(registry.Find("Base"), nullptr);
    EXPECT_EQ(registry.FindProperty("Leaf", "Left"), nullptr);
}

TEST_F(ClassRegistryTest, SetterOnAnObjectOfAnotherClassRaisesIllegalCast) {
    struct Stranger : fw::Object {};
    Stranger stranger;
    const fw::PropertyInfo* left = registry.FindProperty("Base", "Left");
    ASSERT_NE(left, nullptr);
    EXPECT_THROW(left->set(stranger, Int32{1}), fw::IllegalCastException);
}

} // namespace
