#include "tests/support/DesignedControls.h"

#include "framework/ui/RectControl.h"
#include "framework/ui/Window.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace support {

void ExpectDesignedControls(const fw::Window& window,
                            const std::vector<DesignedControl>& designed) {
    ASSERT_EQ(window.Controls().size(), designed.size());
    for (size_t i = 0; i < designed.size(); ++i) {
        const DesignedControl& d = designed[i];
        SCOPED_TRACE(d.name);
        const fw::RectControl& control = *window.Controls()[i];
        EXPECT_EQ(control.Name(), d.name);
        EXPECT_EQ(control.ClassFullName(), d.className);
        EXPECT_EQ(control.TabIndex(), static_cast<fw::Int32>(i));
        EXPECT_EQ(control.Left(), d.left);
        EXPECT_EQ(control.Top(), d.top);
        EXPECT_EQ(control.Width(), d.width);
        EXPECT_EQ(control.Height(), d.height);
        EXPECT_EQ(control.Index(), INT32_MIN);
        EXPECT_TRUE(control.LockLeft() && control.LockTop());
        EXPECT_FALSE(control.LockRight() || control.LockBottom());
        EXPECT_EQ(control.TextUnit(), fw::FontUnits::Default);
    }
}

} // namespace support
