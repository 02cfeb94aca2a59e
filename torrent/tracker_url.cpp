// CTorrent: the tracker list and the URL handling behind it.
#include "torrent/torrent.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr char kHttpScheme[] = "http://";
constexpr size_t kHttpSchemeLen = sizeof kHttpScheme - 1;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The decimal number at the start of [begin, end): white space skipped, an optional sign, the
// digits up to the first non-digit, 0 without digits. Held at the int32 bounds on overflow.
int32_t LeadingDecimal(const char* begin, const char* end)
{
    const char* p = begin;
    while (p != end && IsSpace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

// Lowercases, completes when asked, splits, and appends the entry when the split succeeds.
void AddTracker(ByteString url, bool normalize, std::vector<TrackerAddress>& trackers)
{
    CTorrent::ToLower(url);
    if (normalize)
        CTorrent::NormalizeTrackerUrl(url);
    TrackerAddress address;
    if (CTorrent::SplitTrackerUrl(url, address.host, address.port))
        trackers.push_back(std::move(address));
}

} // namespace

void CTorrent::ToLower(ByteString& text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
}

void CTorrent::NormalizeTrackerUrl(ByteString& url)
{
    if (url.empty() || url == "\r\n" || url == "\r" || url == "\n")
        return;
    if (url.find(kHttpScheme) == ByteString::npos)
        url.insert(0, kHttpScheme);
    if (url.back() != '/')
        url += '/';
}

// Everything after the first "http://" is searched, path and query included: a ":" anywhere
// there is taken for the port separator, and it must be followed by a "/" somewhere.
bool CTorrent::SplitTrackerUrl(const ByteString& url, ByteString& host, int32_t& port)
{
    port = -1;
    const size_t scheme = url.find(kHttpScheme);
    if (scheme == ByteString::npos)
        return false;
    const size_t hostStart = scheme + kHttpSchemeLen;
    const size_t colon = url.find(':', hostStart);
    if (colon == ByteString::npos) {
        size_t hostEnd = url.find('/', hostStart);
        if (hostEnd == ByteString::npos)
            hostEnd = url.size();
        host.assign(url, hostStart, hostEnd - hostStart);
        port = 80;
        return true;
    }
    host.assign(url, hostStart, colon - hostStart);
    const size_t slash = url.find('/', colon + 1);
    if (slash == ByteString::npos)
        return false;
    port = LeadingDecimal(url.data() + colon + 1, url.data() + slash);
    return true;
}

bool CTorrent::GetTrackers(std::vector<TrackerAddress>& trackers) const
{
    trackers.clear();
    const CAtom* announce = root.Lookup("announce");
    if (!announce)
        return false;
    AddTracker(announce->AsText(), false, trackers);

    const CAtom* announceList = root.Lookup("announce-list");
    if (!announceList || !announceList->IsList())
        return true;
    // A list replaces the single "announce" entry, even when it yields nothing.
    trackers.clear();
    for (const CAtom* tier : static_cast<const CAtomList*>(announceList)->Items()) {
        if (tier->IsString()) {
            AddTracker(tier->AsText(), true, trackers);
        } else if (tier->IsList()) {
            for (const CAtom* url : static_cast<const CAtomList*>(tier)->Items()) {
                if (url->IsString())
                    AddTracker(url->AsText(), true, trackers);
            }
        }
    }
    return true;
}
