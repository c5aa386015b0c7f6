#include "listbox/DatePatterns.h"

#include "framework/core/Format.h"
#include "framework/core/RecentCompilations.h"
#include "framework/core/Text.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <vector>

using fw::Format;
using fw::Int32;
using fw::Str;

namespace {

// A pattern being written: its letters are first turned into placeholders that no replaced
// text can contain a letter of, then each placeholder run gives way to its value.
class PatternText {
public:
    explicit PatternText(const std::string& pattern) : m_text(fw::Uppercase(pattern)) {}

    void Mark(std::string_view letter, std::string_view placeholder) {
        m_text = fw::ReplaceAll(m_text, letter, placeholder);
    }
    bool Has(std::string_view token) const { return fw::InStr(0, m_text, token) > 0; }
    void Put(std::string_view token, const std::string& with) {
        m_text = fw::Replace(m_text, token, with);
    }
    void Append(std::string_view text) { m_text += text; }
    std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
};

const std::string& NameAt(std::span<const std::string> names, Int32 index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) {
        throw std::out_of_range("No name " + std::to_string(index) + " in the name list");
    }
    return names[static_cast<std::size_t>(index)];
}

std::string OrdinalDay(Int32 day) {
    const std::string digits = Str(day);
    if (day >= 10 && day <= 13) {
        return digits + "th";
    }
    const std::string last = fw::Right(digits, 1);
    if (last == "1") {
        return digits + "st";
    }
    if (last == "2") {
        return digits + "nd";
    }
    if (last == "3") {
        return digits + "rd";
    }
    return digits + "th";
}

// What a pattern's writing puts in place of its placeholders. The hour parts follow the
// 12-hour clock when the writer found its marker.
enum Part : unsigned char {
    kAmPm,
    kHour00,
    kHour,
    kMinute00,
    kSecond00,
    kYear4,
    kYear2,
    kMonthLong,
    kMonthShort,
    kMonth00,
    kMonth,
    kDayOrdinal,
    kDay00,
    kDay,
    kWeekdayLong,
    kWeekdayShort,
    kTimeHour0000,
    kTimeHour00,
    kTimeHour,
    kTimeMinute00,
    kTimeMinute,
    kTimeSecond00,
    kTimeSecond,
    kPartCount
};

Int32 DateHour(Int32 h, bool twelveHour) {
    if (twelveHour) {
        if (h > 12) {
            h -= 12;
        } else if (h == 0) {
            h = 12;
        }
    }
    return h;
}

Int32 TimeHour(Int32 h, bool twelveHour) {
    return twelveHour && h > 12 ? h - 12 : h;
}

// The parts of one date, each written as the replacing writer always has.
struct DateValues {
    const fw::Date& d;
    const DayMonthNameLists* names; // nullptr for a time pattern
    bool twelveHour = false;

    std::string Value(Part part) const {
        switch (part) {
        case kAmPm:
            return d.Hour() >= 12 ? "pm" : "am";
        case kHour00:
            return Format(DateHour(d.Hour(), twelveHour), "00");
        case kHour:
            return Format(DateHour(d.Hour(), twelveHour), "##");
        case kMinute00:
        case kTimeMinute00:
            return Format(d.Minute(), "00");
        case kSecond00:
        case kTimeSecond00:
            return Format(d.Second(), "00");
        case kYear4:
            return Format(d.Year(), "####");
        case kYear2:
            return fw::Mid(Format(d.Year(), "####"), 3, 2);
        case kMonthLong:
            return NameAt(names->longMonths, d.Month() - 1);
        case kMonthShort:
            return NameAt(names->shortMonths, d.Month() - 1);
        case kMonth00:
            return Format(d.Month(), "00");
        case kMonth:
            return Str(d.Month());
        case kDayOrdinal:
            return OrdinalDay(d.Day());
        case kDay00:
            return Format(d.Day(), "00");
        case kDay:
            return Str(d.Day());
        case kWeekdayLong:
            return NameAt(names->longDays, d.DayOfWeek() - 1);
        case kWeekdayShort:
            return NameAt(names->shortDays, d.DayOfWeek() - 1);
        case kTimeHour0000:
            return Format(TimeHour(d.Hour(), twelveHour), "##00");
        case kTimeHour00:
            return Format(TimeHour(d.Hour(), twelveHour), "00");
        case kTimeHour:
            return Format(TimeHour(d.Hour(), twelveHour), "#");
        case kTimeMinute:
            return Format(d.Minute(), "#");
        case kTimeSecond:
            return Format(d.Second(), "#");
        case kPartCount:
            break;
        }
        return {};
    }
};

// The date writer: the pattern's letters become placeholders, then each part's longest run
// present gives way to its value, first occurrence only. Values come from values.Value(part).
template <class Values> std::string WriteDate(const std::string& pattern, Values& values) {
    PatternText text(pattern);
    text.Mark("Y", "@");
    text.Mark("M", "£");
    text.Mark("D", "$");
    text.Mark("N", "%");
    text.Mark("H", "^");
    text.Mark("T", "&");
    text.Mark("S", "*");
    text.Mark("AP", "±");

    values.twelveHour = text.Has("±");
    text.Put("±", values.Value(kAmPm));
    if (text.Has("^^")) {
        text.Put("^^", values.Value(kHour00));
    } else if (text.Has("^")) {
        text.Put("^", values.Value(kHour));
    }
    if (text.Has("&&")) {
        text.Put("&&", values.Value(kMinute00));
    }
    if (text.Has("**")) {
        text.Put("**", values.Value(kSecond00));
    }

    if (text.Has("@@@@")) {
        text.Put("@@@@", values.Value(kYear4));
    } else if (text.Has("@@")) {
        text.Put("@@", values.Value(kYear2));
    }
    if (text.Has("££££")) {
        text.Put("££££", values.Value(kMonthLong));
    } else if (text.Has("£££")) {
        text.Put("£££", values.Value(kMonthShort));
    } else if (text.Has("££")) {
        text.Put("££", values.Value(kMonth00));
    } else if (text.Has("£")) {
        text.Put("£", values.Value(kMonth));
    }

    if (text.Has("$$$")) {
        text.Put("$$$", values.Value(kDayOrdinal));
    } else if (text.Has("$$")) {
        text.Put("$$", values.Value(kDay00));
    } else if (text.Has("$")) {
        text.Put("$", values.Value(kDay));
    }
    if (text.Has("%%")) {
        text.Put("%%", values.Value(kWeekdayLong));
    } else if (text.Has("%")) {
        text.Put("%", values.Value(kWeekdayShort));
    }
    return text.Take();
}

template <class Values> std::string WriteTime(const std::string& pattern, Values& values) {
    PatternText text(pattern);
    bool twelveHour = false;
    for (std::string_view marker : {"AMPM", "AM/PM", "AM", "PM", "AP", "A/P"}) {
        if (text.Has(marker)) {
            text.Put(marker, "");
            twelveHour = true;
            break;
        }
    }
    text.Mark("H", "@");
    text.Mark("M", "£");
    text.Mark("S", "$");

    values.twelveHour = twelveHour;
    if (twelveHour) {
        text.Append(values.Value(kAmPm));
    }
    if (text.Has("@@@")) {
        text.Put("@@@", values.Value(kTimeHour0000));
    } else if (text.Has("@@")) {
        text.Put("@@", values.Value(kTimeHour00));
    } else if (text.Has("@")) {
        text.Put("@", values.Value(kTimeHour));
    }
    if (text.Has("££")) {
        text.Put("££", values.Value(kTimeMinute00));
    } else if (text.Has("£")) {
        text.Put("£", values.Value(kTimeMinute));
    }
    if (text.Has("$$")) {
        text.Put("$$", values.Value(kTimeSecond00));
    } else if (text.Has("$")) {
        text.Put("$", values.Value(kTimeSecond));
    }
    return text.Take();
}

// ---------------------------------------------------------------------------------------------
// Compiled patterns
//
// Writing a pattern with a stand-in for each value gives its shape: literal texts with the
// parts between them. Filling that shape with the real values gives what the writer gives
// whenever every value is non-empty, ASCII and free of placeholder characters: then no
// search of the writer can find or miss a placeholder run because of a value standing in the
// text. Any other value takes the writer itself.

constexpr char kStandIn = '\x01';

struct Shape {
    bool usable = false; // false: the pattern holds kStandIn, so always the writer
    bool twelveHour = false;
    std::vector<std::string> literals; // one more than parts
    std::vector<Part> parts;           // in the text's order
    std::vector<Part> asked;           // in the writer's order: a missing name raises first
};

// Values that are stand-ins: kStandIn and a letter naming the part.
struct StandIns {
    bool twelveHour = false;
    std::vector<Part> asked;

    std::string Value(Part part) {
        asked.push_back(part);
        return std::string{kStandIn, static_cast<char>('A' + part)};
    }
};

template <bool Time> Shape MakeShape(const std::string& pattern) {
    Shape shape;
    if (pattern.find(kStandIn) != std::string::npos) {
        return shape;
    }
    StandIns standIns;
    const std::string text = Time ? WriteTime(pattern, standIns) : WriteDate(pattern, standIns);
    shape.usable = true;
    shape.twelveHour = standIns.twelveHour;
    shape.literals.emplace_back();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kStandIn && i + 1 < text.size()) {
            shape.parts.push_back(static_cast<Part>(text[i + 1] - 'A'));
            shape.literals.emplace_back();
            ++i;
        } else {
            shape.literals.back() += text[i];
        }
    }
    for (Part part : standIns.asked) {
        if (std::find(shape.parts.begin(), shape.parts.end(), part) != shape.parts.end()) {
            shape.asked.push_back(part);
        }
    }
    return shape;
}

// The shapes of the last few patterns written, per thread: a list writes the same few
// patterns for every row.
template <bool Time> const Shape& ShapeOf(const std::string& pattern) {
    thread_local fw::RecentCompilations<Shape, 8> kept;
    return kept.Of(pattern, [&] { return MakeShape<Time>(pattern); });
}

// A part's value for the shape, as text of its own or a view of a name.
class PartText {
public:
    void Number(Int32 value, int minDigits) {
        const auto result = std::to_chars(m_digits, m_digits + sizeof m_digits, value);
        std::size_t length = static_cast<std::size_t>(result.ptr - m_digits);
        if (length < static_cast<std::size_t>(minDigits)) {
            // Only ever 0 to 99 here: one leading zero.
            m_digits[1] = m_digits[0];
            m_digits[0] = '0';
            length = 2;
        }
        m_view = std::string_view(m_digits, length);
    }
    void Suffixed(Int32 value, const char* suffix) {
        Number(value, 1);
        const std::size_t length = m_view.size();
        m_digits[length] = suffix[0];
        m_digits[length + 1] = suffix[1];
        m_view = std::string_view(m_digits, length + 2);
    }
    void View(std::string_view text) { m_view = text; }
    std::string_view Text() const { return m_view; }

private:
    char m_digits[24];
    std::string_view m_view;
};

const char* OrdinalSuffix(Int32 day) {
    if (day >= 10 && day <= 13) {
        return "th";
    }
    switch (day % 10) {
    case 1:
        return "st";
    case 2:
        return "nd";
    case 3:
        return "rd";
    default:
        return "th";
    }
}

// Whether a value stands in the shape as the writer would have it stand (see above).
bool FitsShape(std::string_view value) {
    if (value.empty()) {
        return false;
    }
    for (const char c : value) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || c == '@' || c == '$' || c == '%' || c == '^' || c == '&' || c == '*') {
            return false;
        }
    }
    return true;
}

// The shape filled with the date's values; false when a value does not fit the shape.
bool FillShape(const Shape& shape, const fw::Date& date, const DayMonthNameLists* names,
               std::string& out) {
    // A row's date, time and date-time cells often show the same date.
    thread_local double lastSeconds = 0;
    thread_local fw::Date::Parts lastParts = fw::Date(1970, 1, 1).Breakdown();
    if (date.TotalSeconds() != lastSeconds) {
        lastParts = date.Breakdown();
        lastSeconds = date.TotalSeconds();
    }
    const fw::Date::Parts& p = lastParts;
    PartText values[kPartCount];
    for (Part part : shape.asked) {
        PartText& v = values[part];
        switch (part) {
        case kAmPm:
            v.View(p.hour >= 12 ? "pm" : "am");
            break;
        case kHour00:
            v.Number(DateHour(p.hour, shape.twelveHour), 2);
            break;
        case kHour:
            v.Number(DateHour(p.hour, shape.twelveHour), 1);
            break;
        case kMinute00:
        case kTimeMinute00:
            v.Number(p.minute, 2);
            break;
        case kSecond00:
        case kTimeSecond00:
            v.Number(p.second, 2);
            break;
        case kYear4:
            v.Number(p.year, 1);
            break;
        case kYear2:
            v.Number(p.year, 1);
            v.View(v.Text().size() > 2 ? v.Text().substr(2, 2) : std::string_view());
            break;
        case kMonthLong:
            v.View(NameAt(names->longMonths, p.month - 1));
            break;
        case kMonthShort:
            v.View(NameAt(names->shortMonths, p.month - 1));
            break;
        case kMonth00:
            v.Number(p.month, 2);
            break;
        case kMonth:
            v.Number(p.month, 1);
            break;
        case kDayOrdinal:
            v.Suffixed(p.day, OrdinalSuffix(p.day));
            break;
        case kDay00:
            v.Number(p.day, 2);
            break;
        case kDay:
            v.Number(p.day, 1);
            break;
        case kWeekdayLong:
            v.View(NameAt(names->longDays, p.dayOfWeek - 1));
            break;
        case kWeekdayShort:
            v.View(NameAt(names->shortDays, p.dayOfWeek - 1));
            break;
        case kTimeHour0000:
        case kTimeHour00:
            v.Number(TimeHour(p.hour, shape.twelveHour), 2);
            break;
        case kTimeHour:
            v.Number(TimeHour(p.hour, shape.twelveHour), 1);
            break;
        case kTimeMinute:
            v.Number(p.minute, 1);
            break;
        case kTimeSecond:
            v.Number(p.second, 1);
            break;
        case kPartCount:
            break;
        }
        if (!FitsShape(v.Text())) {
            return false;
        }
    }
    out = shape.literals[0];
    for (std::size_t i = 0; i < shape.parts.size(); ++i) {
        out += values[shape.parts[i]].Text();
        out += shape.literals[i + 1];
    }
    return true;
}

} // namespace

std::optional<DayMonthNames> DayMonthNamesOf(const std::string& language) {
    if (language == "E") {
        return DayMonthNames{
            {"January", "February", "March", "April", "May", "June", "July", "August", "September",
             "October", "November", "December"},
            {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
            {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
            {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
        };
    }
    if (language == "S") {
        return DayMonthNames{
            {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Augosto",
             "Septiembre", "Octubre", "Noviembre", "Diciembre"},
            {"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"},
            {"Domingo", "Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado"},
            {"Dom", "Lun", "Mar", "Mie", "Jue", "Vie", "Sab"},
        };
    }
    return std::nullopt;
}

std::string FormatDatePattern(const fw::Date& d, const std::string& pattern,
                              const DayMonthNameLists& names) {
    const Shape& shape = ShapeOf<false>(pattern);
    std::string out;
    if (shape.usable && FillShape(shape, d, &names, out)) {
        return out;
    }
    return detail::WriteDatePattern(d, pattern, names);
}

std::string FormatTimePattern(const fw::Date& d, const std::string& pattern) {
    const Shape& shape = ShapeOf<true>(pattern);
    std::string out;
    if (shape.usable && FillShape(shape, d, nullptr, out)) {
        return out;
    }
    return detail::WriteTimePattern(d, pattern);
}

namespace detail {

std::string WriteDatePattern(const fw::Date& d, const std::string& pattern,
                             const DayMonthNameLists& names) {
    DateValues values{d, &names};
    return WriteDate(pattern, values);
}

std::string WriteTimePattern(const fw::Date& d, const std::string& pattern) {
    DateValues values{d, nullptr};
    return WriteTime(pattern, values);
}

} // namespace detail
