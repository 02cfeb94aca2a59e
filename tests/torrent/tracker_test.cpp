// CTorrent::GetTrackers and the URL operations behind it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/torrent/load_bytes.h"
#include "torrent/torrent.h"

namespace {

// Entries as "host:port;" for compact comparison.
std::string Joined(const std::vector<TrackerAddress>& trackers)
{
    std::string out;
    for (const TrackerAddress& t : trackers)
        out += t.host + ":" + std::to_string(t.port) + ";";
    return out;
}

struct TrackersCase {
    const char* name;
    std::string document;
    bool result;
    std::string entries;
};

TEST(Trackers, AnnounceAndAnnounceListCombinations)
{
    const TrackersCase cases[] = {
        {"announce is lowercased before the split", "d8:announce" + Str("HTTP://A:81/X") + "e", true, "a:81;"},
        {"no port means 80", "d8:announce" + Str("http://a/x") + "e", true, "a:80;"},
        {"bare scheme", "d8:announce" + Str("http://") + "e", true, ":80;"},
        {"announce is not completed", "d8:announce" + Str("http://a:81") + "e", true, ""},
        {"announce-list entry is completed", "d8:announce1:x13:announce-listl" + Str("http://a:81") + "ee", true, "a:81;"},
        {"udp announce is dropped", "d8:announce" + Str("udp://a:81/x") + "e", true, ""},
        {"udp announce-list entry", "d8:announce1:x13:announce-listl" + Str("udp://a:81/x") + "ee", true, "udp:0;"},
        {"scheme added", "d8:announce1:x13:announce-listl" + Str("a:81/x") + "ee", true, "a:81;"},
        {"colon in the query", "d8:announce" + Str("http://a/x?k=b:c") + "e", true, ""},
        {"tiers replace announce", "d8:announce" + Str("http://a/") + "13:announce-listll" + Str("http://b:82/") + "el" +
                                       Str("http://a/") + Str("http://a/") + "eee",
         true, "b:82;a:80;a:80;"},
        {"empty announce-list drops announce", "d8:announce" + Str("http://a/") + "13:announce-listlee", true, ""},
        {"announce-list not a list", "d8:announce" + Str("http://a/") + "13:announce-list" + Str("http://b/") + "e", true,
         "a:80;"},
        {"no announce", "d13:announce-listl" + Str("http://b/") + "ee", false, ""},
        {"nothing", "de", false, ""},
        {"unusable entries", "d8:announce1:x13:announce-listl0:2:\r\ni5el1:\ni7elll" + Str("http://deep/") + "eeee", true,
         ""},
        {"announce as an integer", "d8:announcei5ee", true, ""},
        {"announce as a list", "d8:announcel" + Str("http://a/") + "ee", true, ""},
        {"uppercase in the list", "d8:announce1:x13:announce-listll" + Str("HTTP://B.Example:8080/A") + "eee", true,
         "b.example:8080;"},
        {"zero byte in a URL reads as space", "d8:announce" + Str(std::string("http://a\0b/", 11)) + "e", true,
         "a b:80;"},
    };
    for (const TrackersCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto torrent = LoadBytes(c.document);
        std::vector<TrackerAddress> trackers{{"stale", 1}};
        EXPECT_EQ(torrent->GetTrackers(trackers), c.result);
        EXPECT_EQ(Joined(trackers), c.entries);
    }
}

struct SplitCase {
    const char* url;
    bool result;
    const char* host;
    int32_t port;
};

TEST(Trackers, SplitTrackerUrl)
{
    const SplitCase cases[] = {
        {"http://a/x", true, "a", 80},
        {"http://a", true, "a", 80},
        {"http://a:81/x", true, "a", 81},
        {"http://a:81", false, "a", -1},
        {"no scheme", false, "", -1},
        {"udp://x:1/http://a:82/", true, "a", 82},  // the first "http://" anywhere counts
        {"http://a: 81/", true, "a", 81},           // white space before the number
        {"http://a:+81/", true, "a", 81},
        {"http://a:-5/", true, "a", -5},
        {"http://a:81x/", true, "a", 81},
        {"http://a:x/", true, "a", 0},
        {"http://a:/", true, "a", 0},
        {"http://a:99999999999999999999/", true, "a", 2147483647},  // held at the bounds
        {"http://a:-99999999999999999999/", true, "a", -2147483647 - 1},
        {"http://a:2147483647/", true, "a", 2147483647},
        {"http://a:-2147483648/", true, "a", -2147483647 - 1},
        {"http://[::1]:80/", true, "[", 0},
        {"http://a/b:7/", true, "a/b", 7},  // the ":" is searched past the path
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.url);
        ByteString host;
        int32_t port = 1234;
        EXPECT_EQ(CTorrent::SplitTrackerUrl(c.url, host, port), c.result);
        if (c.result) {
            EXPECT_EQ(host, c.host);
        }
        EXPECT_EQ(port, c.port);
    }
}

TEST(Trackers, NormalizeAndLower)
{
    const std::pair<const char*, const char*> normalize[] = {
        {"", ""},          {"\r\n", "\r\n"},          {"\r", "\r"},   {"\n", "\n"},
        {"a", "http://a/"}, {"http://a", "http://a/"}, {"x/http://a/", "x/http://a/"},
        {"/", "http:///"},  {"\n\n", "http://\n\n/"},
    };
    for (const auto& [in, out] : normalize) {
        SCOPED_TRACE(in);
        ByteString url = in;
        CTorrent::NormalizeTrackerUrl(url);
        EXPECT_EQ(url, out);
    }
    ByteString text("AZaz09\xC3\x84[@]", 11);
    CTorrent::ToLower(text);
    EXPECT_EQ(text, ByteString("azaz09\xC3\x84[@]", 11));
}

} // namespace
