// Creation dates in local time. This file is built twice, run under TZ=UTC and under
// TZ=Asia/Shanghai (eight hours east, no daylight saving after 1991); BTMAGNET_ZONE_HOURS says
// which, and BTMAGNET_ZONE_SUITE names the suite so that the two runs stay apart in CTest.
#include "tests/torrent/record_test.h"

#include <cstring>
#include <string>

#include "tests/torrent/load_bytes.h"
#include "tests/torrent/temp_file.h"
#include "torrent/torrent.h"

namespace {

struct DateCase {
    const char* name;
    std::string creationDate;  // the bencoded value, empty for no key
    bool hasTime;
    int64_t utcSeconds;        // the instant, when there is one
};

// Local calendar fields of `utcSeconds` in the zone under test, worked out without the C
// library: whole days since 1970 and the seconds of the day, shifted by the zone.
struct Expected {
    int days;  // since 1970-01-01
    int secondOfDay;
};

Expected ExpectedLocal(int64_t utcSeconds)
{
    const int64_t local = utcSeconds + BTMAGNET_ZONE_HOURS * 3600;
    return {static_cast<int>(local / 86400), static_cast<int>(local % 86400)};
}

const DateCase kCases[] = {
    {"absent", "", true, 0},
    {"zero", "i0e", true, 0},
    {"a string", "10:1700000000", true, 0},
    {"a list", "li5ee", true, 0},
    {"1700000000", "i1700000000e", true, 1700000000},
    {"only the low 32 bits count", "i4294967301e", true, 5},
    {"largest positive count", "i2147483647e", true, 2147483647},
    {"negative", "i-1e", false, 0},
    {"bit 31 set", "i2147483648e", false, 0},
    {"low 32 bits negative", "i4294967295e", false, 0},
};

std::string Document(const DateCase& c)
{
    return c.creationDate.empty() ? "d4:infod4:name1:aee" : "d13:creation date" + c.creationDate + "e";
}

TEST(BTMAGNET_ZONE_SUITE, GetCreationDateInLocalTime)
{
    // 1700000000 is 2023-11-14 22:13:20 UTC, a Tuesday, day 317 of the year.
    for (const DateCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const BrokenDownTime time = LoadBytes(Document(c))->GetCreationDate();
        ASSERT_EQ(time.HasTime(), c.hasTime);
        if (!c.hasTime) {
            EXPECT_EQ(time.yearsSince1900, 0);
            continue;
        }
        const Expected local = ExpectedLocal(c.utcSeconds);
        EXPECT_EQ(time.hour * 3600 + time.minute * 60 + time.second, local.secondOfDay);
        EXPECT_EQ(time.daylightSaving, 0);
        if (c.utcSeconds == 0) {
            EXPECT_EQ(time.yearsSince1900, 70);
            EXPECT_EQ(time.month, 0);
            EXPECT_EQ(time.dayOfMonth, 1);
            EXPECT_EQ(time.dayOfWeek, 4);  // a Thursday
            EXPECT_EQ(time.dayOfYear, 0);
            EXPECT_EQ(time.hour, BTMAGNET_ZONE_HOURS);
        }
        if (c.utcSeconds == 1700000000) {
            EXPECT_EQ(time.yearsSince1900, 123);
            EXPECT_EQ(time.month, 10);
            EXPECT_EQ(time.dayOfMonth, BTMAGNET_ZONE_HOURS == 0 ? 14 : 15);
            EXPECT_EQ(time.dayOfWeek, BTMAGNET_ZONE_HOURS == 0 ? 2 : 3);
            EXPECT_EQ(time.dayOfYear, BTMAGNET_ZONE_HOURS == 0 ? 317 : 318);
        }
    }
}

class BTMAGNET_ZONE_SUITE_RECORD : public RecordTest {};

TEST_F(BTMAGNET_ZONE_SUITE_RECORD, CreationDateMember)
{
    const double kSecond = 1.0 / 86400;
    for (const DateCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TempFile file(Document(c));
        TorrentFileInfo* info = GetTorrentFileInfo(file.path().c_str());
        double expected = kEmptyDateTime;
        if (c.hasTime) {
            const Expected local = ExpectedLocal(c.utcSeconds);
            expected = (25569 + local.days) + local.secondOfDay * kSecond;
        }
        EXPECT_EQ(std::memcmp(&info->creationDate, &expected, sizeof expected), 0)
            << info->creationDate << " vs " << expected;
        Release(info);
    }
}

TEST_F(BTMAGNET_ZONE_SUITE_RECORD, FixtureWithoutCreationDateIsTheStartOf1970)
{
    TorrentFileInfo* info = GetTorrentFileInfo(FixturePath("web_seeds.torrent").c_str());
    const double expected = 25569 + BTMAGNET_ZONE_HOURS * 3600 * (1.0 / 86400);
    EXPECT_EQ(info->creationDate, expected);  // 25569.333... eight hours east
    Release(info);
}

} // namespace
