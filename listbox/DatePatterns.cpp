#include "listbox/DatePatterns.h"

#include "framework/core/Format.h"
#include "framework/core/Text.h"

#include <stdexcept>

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

void PutHour(PatternText& text, const fw::Date& d) {
    Int32 h = d.Hour();
    const bool twelveHour = text.Has("±");
    text.Put("±", h >= 12 ? "pm" : "am");
    if (twelveHour) {
        if (h > 12) {
            h -= 12;
        } else if (h == 0) {
            h = 12;
        }
    }
    if (text.Has("^^")) {
        text.Put("^^", Format(h, "00"));
    } else if (text.Has("^")) {
        text.Put("^", Format(h, "##"));
    }
    if (text.Has("&&")) {
        text.Put("&&", Format(d.Minute(), "00"));
    }
    if (text.Has("**")) {
        text.Put("**", Format(d.Second(), "00"));
    }
}

void PutYearMonth(PatternText& text, const fw::Date& d, const DayMonthNameLists& names) {
    const Int32 year = d.Year();
    if (text.Has("@@@@")) {
        text.Put("@@@@", Format(year, "####"));
    } else if (text.Has("@@")) {
        text.Put("@@", fw::Mid(Format(year, "####"), 3, 2));
    }
    const Int32 month = d.Month();
    if (text.Has("££££")) {
        text.Put("££££", NameAt(names.longMonths, month - 1));
    } else if (text.Has("£££")) {
        text.Put("£££", NameAt(names.shortMonths, month - 1));
    } else if (text.Has("££")) {
        text.Put("££", Format(month, "00"));
    } else if (text.Has("£")) {
        text.Put("£", Str(month));
    }
}

void PutDay(PatternText& text, const fw::Date& d, const DayMonthNameLists& names) {
    const Int32 day = d.Day();
    if (text.Has("$$$")) {
        text.Put("$$$", OrdinalDay(day));
    } else if (text.Has("$$")) {
        text.Put("$$", Format(day, "00"));
    } else if (text.Has("$")) {
        text.Put("$", Str(day));
    }
    const Int32 weekday = d.DayOfWeek() - 1;
    if (text.Has("%%")) {
        text.Put("%%", NameAt(names.longDays, weekday));
    } else if (text.Has("%")) {
        text.Put("%", NameAt(names.shortDays, weekday));
    }
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
    PatternText text(pattern);
    text.Mark("Y", "@");
    text.Mark("M", "£");
    text.Mark("D", "$");
    text.Mark("N", "%");
    text.Mark("H", "^");
    text.Mark("T", "&");
    text.Mark("S", "*");
    text.Mark("AP", "±");
    PutHour(text, d);
    PutYearMonth(text, d, names);
    PutDay(text, d, names);
    return text.Take();
}

std::string FormatTimePattern(const fw::Date& d, const std::string& pattern) {
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

    Int32 h = d.Hour();
    if (twelveHour) {
        text.Append(h >= 12 ? "pm" : "am");
        if (h > 12) {
            h -= 12;
        }
    }
    if (text.Has("@@@")) {
        text.Put("@@@", Format(h, "##00"));
    } else if (text.Has("@@")) {
        text.Put("@@", Format(h, "00"));
    } else if (text.Has("@")) {
        text.Put("@", Format(h, "#"));
    }
    if (text.Has("££")) {
        text.Put("££", Format(d.Minute(), "00"));
    } else if (text.Has("£")) {
        text.Put("£", Format(d.Minute(), "#"));
    }
    if (text.Has("$$")) {
        text.Put("$$", Format(d.Second(), "00"));
    } else if (text.Has("$")) {
        text.Put("$", Format(d.Second(), "#"));
    }
    return text.Take();
}
