// The rule that turns calendar fields into an OLE Automation date.
#include <gtest/gtest.h>

#include <cstring>

#include "torrent/date_rule.h"

namespace {

struct DateCase {
    uint16_t year, month, day, hour, minute, second;
    bool accepted;
    double expected;
};

TEST(DateRule, AcceptedAndRejectedFields)
{
    const double kSecond = 1.0 / 86400;
    const DateCase cases[] = {
        {1899, 12, 30, 0, 0, 0, true, 0.0},
        {1899, 12, 29, 6, 0, 0, true, -1.25},  // the time of day is subtracted before day zero
        {1899, 12, 31, 6, 0, 0, true, 1.25},
        {1970, 1, 1, 12, 0, 0, true, 25569.5},
        {1970, 1, 1, 0, 0, 0, true, 25569.0},
        {100, 1, 1, 0, 0, 0, true, -657434.0},  // the empty date
        {2000, 2, 29, 0, 0, 0, true, 36585.0},
        {2000, 3, 1, 0, 0, 0, true, 36586.0},
        {2023, 11, 14, 22, 13, 20, true, 45244 + 80000 * kSecond},
        {9999, 12, 31, 23, 59, 59, true, 2958465 + 86399 * kSecond},
        {0, 1, 1, 0, 0, 0, true, -693959.0},  // year 0 is a leap year by the rule
        {1900, 2, 29, 0, 0, 0, false, 0},
        {2023, 2, 29, 0, 0, 0, false, 0},
        {2024, 2, 30, 0, 0, 0, false, 0},
        {2023, 13, 1, 0, 0, 0, false, 0},
        {2023, 0, 1, 0, 0, 0, false, 0},
        {2023, 1, 0, 0, 0, 0, false, 0},
        {2023, 4, 31, 0, 0, 0, false, 0},
        {2023, 1, 1, 24, 0, 0, false, 0},
        {2023, 1, 1, 0, 60, 0, false, 0},
        {2023, 1, 1, 0, 0, 60, false, 0},
        {10000, 1, 1, 0, 0, 0, false, 0},
        {65535, 65535, 65535, 65535, 65535, 65535, false, 0},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":"
                                        << c.minute << ":" << c.second);
        const auto date = DateTimeFromFields(c.year, c.month, c.day, c.hour, c.minute, c.second);
        ASSERT_EQ(date.has_value(), c.accepted);
        if (c.accepted) {
            // Bit for bit: the value is stored and shown as it is.
            EXPECT_EQ(std::memcmp(&*date, &c.expected, sizeof(double)), 0) << *date << " vs " << c.expected;
        }
    }
}

TEST(DateRule, EmptyDateBitPattern)
{
    const auto date = DateTimeFromFields(100, 1, 1, 0, 0, 0);
    ASSERT_TRUE(date);
    uint64_t bits;
    std::memcpy(&bits, &*date, sizeof bits);
    EXPECT_EQ(bits, 0xC124103400000000u);
}

} // namespace
