#pragma once

// The calendar's test fixture: the implicit calendar window, open and exposed, with its grid
// driven the way a user would.
#include "framework/core/Date.h"
#include "framework/core/Format.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Runtime.h"
#include "framework/ui/testing/ModalTestSupport.h"
#include "pickers/wCal.h"
#include "pickers/wTim.h"
#include "tests/support/ListDriver.h"
#include "tests/support/PickerAccess.h"

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace wcal_test {

using fw::Int32;
using TA = wCalTestAccess;

using support::NewDate;
using support::Settle;

inline fw::DatePtr Today() {
    auto today = std::make_shared<fw::Date>();
    today->Hour(0);
    today->Minute(0);
    today->Second(0);
    return today;
}

inline void RegisterClasses() {
    fw::RegisterFrameworkClasses();
    wCal::RegisterClass();
    wTim::RegisterClass();
    fw::_InitPluginEntrypoints();
}
// The calendar's grid driven like a user: days found by their text.
struct Grid : support::ListDriver {
    using ListDriver::Centre;
    // The cell of that day in the grid, or (-1, -1).
    std::pair<Int32, Int32> Find(Int32 day) const {
        for (Int32 r = 0; r < list.ListCount(); ++r) {
            for (Int32 c = 0; c < list.ColumnCount(); ++c) {
                if (list.Cell(r, c) == fw::Str(day)) {
                    return {r, c};
                }
            }
        }
        return {-1, -1};
    }
    QPoint Centre(Int32 day) const {
        auto [r, c] = Find(day);
        return CellRect(r, c).center();
    }
};

class wCalTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterClasses(); }

    void SetUp() override {
        cal = wCal::Instance();
        ASSERT_NE(cal, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(cal->NativeWidget()));
    }
    void TearDown() override {
        if (cal != nullptr && cal->IsOpen()) {
            cal->Close();
        }
        fw::testing::ClearModalAnswers();
        Settle();
    }

    Grid G() { return Grid{{cal->lbCal()}}; }
    void Prepare(const fw::DatePtr& date) {
        TA::Prepare(*cal, *date);
        cal->Refresh(true);
        Settle();
    }
    // The grid's texts, row by row.
    std::vector<std::vector<std::string>> Texts() {
        std::vector<std::vector<std::string>> rows;
        fw::Listbox& list = cal->lbCal();
        for (Int32 r = 0; r < list.ListCount(); ++r) {
            rows.emplace_back();
            for (Int32 c = 0; c < list.ColumnCount(); ++c) {
                rows.back().push_back(list.Cell(r, c));
            }
        }
        return rows;
    }
    void ClickButton(fw::BevelButton& button) {
        QTest::mouseClick(button.NativeButton(), Qt::LeftButton);
        Settle();
    }

    std::shared_ptr<wCal> cal;
};

} // namespace wcal_test
