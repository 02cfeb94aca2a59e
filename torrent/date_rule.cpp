#include "torrent/date_rule.h"

namespace {

// Days before the start of each month in a common year; the last entry is the year's length.
constexpr int32_t kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
// The day count, by the formula below, of 1899-12-30, the zero of the convention.
constexpr int32_t kDayZero = 693959;

} // namespace

std::optional<DateTime> DateTimeFromFields(uint16_t year, uint16_t month, uint16_t day, uint16_t hour,
                                           uint16_t minute, uint16_t second)
{
    if (year > 9999 || month < 1 || month > 12)
        return std::nullopt;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    int32_t daysInMonth = kDaysBeforeMonth[month] - kDaysBeforeMonth[month - 1];
    if (leap && month == 2 && day == 29)
        ++daysInMonth;
    if (day < 1 || day > daysInMonth || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;

    int32_t days = year * 365 + year / 4 - year / 100 + year / 400 + kDaysBeforeMonth[month - 1] + day;
    if (month <= 2 && leap)
        --days;
    days -= kDayZero;
    const double timeOfDay = (hour * 3600 + minute * 60 + second) * (1.0 / 86400);
    return days >= 0 ? days + timeOfDay : days - timeOfDay;
}
