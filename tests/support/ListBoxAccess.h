#pragma once

#include "listbox/TambrelListBox.h"

// Read access to the control's private tables and calls of its private methods, for tests.
struct TambrelListBoxTestAccess {
    using L = TambrelListBox;

    static const std::vector<fw::Int32>& ColType(const L& l) { return l.ColType; }
    static const std::vector<std::string>& DropOrient(const L& l) { return l.DropOrient; }
    static const ChoiceLists& DropList(const L& l) { return l.DropList; }
    static const std::vector<bool>& ColEdit(const L& l) { return l.ColEdit; }
    static const std::vector<std::string>& LongDayStr(const L& l) { return l.LongDayStr; }
    static const std::vector<std::string>& LongMonths(const L& l) { return l.LongMonths; }
    static const std::vector<std::string>& ShortDayStr(const L& l) { return l.ShortDayStr; }
    static const std::vector<std::string>& ShortMonths(const L& l) { return l.ShortMonths; }
    static bool NotOpen(const L& l) { return l.NotOpen; }
    static const SparseColumns<double>& PBMaxVals(const L& l) { return l.PBMaxVals; }

    static std::string FormattedDate(L& l, const fw::DatePtr& d, const std::string& pattern) {
        return l.FormattedDate(d, pattern);
    }
    static std::string FormattedTime(L& l, const fw::DatePtr& d, const std::string& pattern) {
        return l.FormattedTime(d, pattern);
    }
    static void SetupDaysMonths(L& l, const std::string& language) { l.SetupDaysMonths(language); }
    static fw::Color OppositeColor(L& l, fw::Color c) { return l.OppositeColor(c); }
    static void WriteString(L& l, fw::Graphics& g, const std::string& text, fw::Int32 align) {
        l.WriteString(g, text, align);
    }
    static void DrawLeftArrow(L& l, fw::Graphics& g, fw::Color c) { l.DrawLeftArrow(g, c); }
    static void DrawRightArrow(L& l, fw::Graphics& g, fw::Color c) { l.DrawRightArrow(g, c); }
    static void DrawDownArrow(L& l, fw::Graphics& g, const std::string& side, fw::Color c) {
        l.DrawDownArrow(g, side, c);
    }
};

using TA = TambrelListBoxTestAccess;
