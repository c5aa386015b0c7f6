#pragma once

#include <cstddef>
#include <string_view>

// The designed properties of the two picker windows and of their controls, as stored property
// streams: each entry is a property name, one blank and the value in the encoding of the
// property's declared type. The streams hold zero bytes anywhere, so they are handled only
// with their byte length, never as zero-terminated text.

inline constexpr std::size_t kWCalStreamLength = 275;
inline constexpr std::size_t kPuMonthStreamLength = 404;
inline constexpr std::size_t kPuYearStreamLength = 337;
inline constexpr std::size_t kLbCalStreamLength = 644;
inline constexpr std::size_t kBtnLeftStreamLength = 469;
inline constexpr std::size_t kBtnRightStreamLength = 470;
inline constexpr std::size_t kBtnTodayStreamLength = 470;
inline constexpr std::size_t kLblDateStreamLength = 368;
inline constexpr std::size_t kWTimStreamLength = 271;
inline constexpr std::size_t kPuHourStreamLength = 318;
inline constexpr std::size_t kPuMinStreamLength = 317;
inline constexpr std::size_t kPuSecStreamLength = 317;
inline constexpr std::size_t kBtnOKStreamLength = 471;
inline constexpr std::size_t kBtnCancelStreamLength = 475;

// wCal: the calendar window (21 entries), applied by its Layout.
extern const std::string_view kWCalStream;
// puMonth: the month pop-up (26 entries).
extern const std::string_view kPuMonthStream;
// puYear: the year pop-up (26 entries).
extern const std::string_view kPuYearStream;
// lbCal: the month grid (44 entries).
extern const std::string_view kLbCalStream;
// btnLeft: the previous-month button (38 entries).
extern const std::string_view kBtnLeftStream;
// btnRight: the next-month button (38 entries).
extern const std::string_view kBtnRightStream;
// btnToday: the today button (38 entries).
extern const std::string_view kBtnTodayStream;
// lblDate: the date label (30 entries).
extern const std::string_view kLblDateStream;
// wTim: the time window (21 entries), applied by its Layout.
extern const std::string_view kWTimStream;
// puHour: the hour pop-up (26 entries).
extern const std::string_view kPuHourStream;
// puMin: the minute pop-up (26 entries).
extern const std::string_view kPuMinStream;
// puSec: the second pop-up (26 entries).
extern const std::string_view kPuSecStream;
// btnOK: the OK button (38 entries).
extern const std::string_view kBtnOKStream;
// btnCancel: the Cancel button (38 entries).
extern const std::string_view kBtnCancelStream;
