#include "bencode/decoder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int64_t kMaxEncodedSize = std::numeric_limits<int32_t>::max();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whitespace as strtoll skips it in the C locale.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The answer of the last forward search for one kind of byte: the first match at or after
// `from` is at `found` (the buffer length when there is none), so every later search that
// starts inside [from, found] has the same answer. Positions only move forward within one
// decode, so each search scans every byte at most once per decode.
struct SearchMemo {
    uint64_t from = 1;
    uint64_t found = 0;  // empty until the first search

    bool Covers(uint64_t pos) const { return pos >= from && pos <= found; }
};

// What one top-level decode remembers while it runs.
struct DecodeContext {
    DecodeContext(const char* b, uint64_t l) : buf(b), len(l) {}

    const char* buf;
    uint64_t len;
    int depth = 0;
    int64_t valueCount = 0;
    SearchMemo nextE;         // first "e"
    SearchMemo nextNonDigit;  // first byte that is not a decimal digit
    SearchMemo nextNonZero;   // first byte that is not "0"

    bool CountValue() { return ++valueCount <= kMaxValueCount; }

    uint64_t FindE(uint64_t pos)
    {
        if (!nextE.Covers(pos)) {
            uint64_t at = pos;
            int32_t offset = 0;
            for (;;) {
                // FindBytes searches at most INT32_MAX bytes at a time.
                const uint64_t chunk = std::min<uint64_t>(len - at, std::numeric_limits<int32_t>::max());
                if (FindBytes(buf + at, static_cast<int32_t>(chunk), "e", 1, &offset)) {
                    at += static_cast<uint64_t>(offset);
                    break;
                }
                at += chunk;
                if (at >= len)
                    break;
            }
            nextE = {pos, at};
        }
        return nextE.found;
    }

    template <typename Match>
    uint64_t FindFirst(SearchMemo& memo, uint64_t pos, Match match)
    {
        if (!memo.Covers(pos)) {
            uint64_t at = pos;
            while (at < len && !match(buf[at]))
                ++at;
            memo = {pos, at};
        }
        return memo.found;
    }
};

// A decoded value and the size of its canonical encoding, which is its BencodedSize. The
// decoder keeps the size beside the value so that no container walks its subtree again.
struct Decoded {
    std::unique_ptr<CAtom> value;
    int64_t size = 0;
};

Decoded DecodeAt(DecodeContext& ctx, uint64_t pos);

// "i" [whitespace] [sign] digits ... "e": read like strtoll up to the first non-digit,
// saturating at the 64-bit limits; whatever follows up to the first "e" is ignored.
Decoded DecodeIntegerAt(DecodeContext& ctx, uint64_t pos)
{
    const uint64_t e = ctx.FindE(pos);
    if (e >= ctx.len || !ctx.CountValue())
        return {};
    // Neither whitespace, a sign nor a digit is an "e", so the number ends before it.
    const char* c = ctx.buf + pos + 1;
    const char* const stop = ctx.buf + e;
    while (c < stop && IsSpace(*c))
        ++c;
    const bool negative = c < stop && *c == '-';
    if (c < stop && (*c == '-' || *c == '+'))
        ++c;
    // Accumulate towards the sign's side, so the smallest value needs no special case.
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; c < stop && IsDigit(*c); ++c) {
        const int digit = *c - '0';
        if (negative)
            value = value < (kMin + digit) / 10 ? kMin : value * 10 - digit;
        else
            value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    auto atom = std::make_unique<CAtomLong>(value);
    const int64_t size = atom->BencodedSize();
    return {std::move(atom), size};
}

// Where the bytes of a string value lie, and the size of its canonical encoding.
struct StringSpan {
    const char* bytes = nullptr;
    int32_t length = 0;
    int64_t size = 0;
};

// digits ":" bytes: the length digits run straight to the first ":", the length fits the
// signed 32-bit count and the bytes lie inside the buffer. Counts the value it reads.
bool ReadString(DecodeContext& ctx, uint64_t pos, StringSpan& span)
{
    const uint64_t colon = ctx.FindFirst(ctx.nextNonDigit, pos, [](char c) { return !IsDigit(c); });
    if (colon == pos || colon >= ctx.len || ctx.buf[colon] != ':')
        return false;
    // Leading zeros are allowed; more than ten significant digits never fit.
    const uint64_t significant = std::min(colon, ctx.FindFirst(ctx.nextNonZero, pos, [](char c) { return c != '0'; }));
    if (colon - significant > 10)
        return false;
    int64_t length = 0;
    for (uint64_t i = significant; i < colon; ++i)
        length = length * 10 + (ctx.buf[i] - '0');
    const uint64_t start = colon + 1;
    if (length > std::numeric_limits<int32_t>::max() || static_cast<uint64_t>(length) > ctx.len - start)
        return false;
    span = {ctx.buf + start, static_cast<int32_t>(length), StringEncodedSize(length)};
    return span.size <= kMaxEncodedSize && ctx.CountValue();
}

Decoded DecodeStringAt(DecodeContext& ctx, uint64_t pos)
{
    StringSpan span;
    if (!ReadString(ctx, pos, span))
        return {};
    return {std::make_unique<CAtomString>(span.bytes, span.length), span.size};
}

// Entered by every list and dictionary; refuses the level past kMaxNestingDepth.
class NestingLevel {
public:
    explicit NestingLevel(DecodeContext& ctx) : ctx_(ctx) { ++ctx_.depth; }
    ~NestingLevel() { --ctx_.depth; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;
    bool Allowed() const { return ctx_.depth <= kMaxNestingDepth; }

private:
    DecodeContext& ctx_;
};

// "l" values... "e". Each next value is looked for the previous value's canonical size further
// on (so non-canonical elements derail the list); a buffer that ends before the "e" ends the
// list without an error.
Decoded DecodeListAt(DecodeContext& ctx, uint64_t pos)
{
    NestingLevel level(ctx);
    if (!level.Allowed() || !ctx.CountValue())
        return {};
    auto list = std::make_unique<CAtomList>();
    int64_t size = 2;
    uint64_t q = pos + 1;
    while (q < ctx.len && ctx.buf[q] != 'e') {
        Decoded item = DecodeAt(ctx, q);
        if (!item.value)
            return {};  // the list frees what it already holds
        q += static_cast<uint64_t>(item.size);
        size += item.size;
        if (size > kMaxEncodedSize)
            return {};
        list->Append(item.value.release());
    }
    return {std::move(list), size};
}

// "d" (string value)... "e". Keys are read as text (zero bytes become spaces), a later
// duplicate replaces the earlier value, and a key that the buffer ends right after is dropped.
Decoded DecodeDictiAt(DecodeContext& ctx, uint64_t pos)
{
    NestingLevel level(ctx);
    if (!level.Allowed() || !ctx.CountValue())
        return {};
    auto dicti = std::make_unique<CAtomDicti>();
    int64_t size = 2;
    uint64_t q = pos + 1;
    while (q < ctx.len && ctx.buf[q] != 'e') {
        // A key must be a string; anything else fails the dictionary, so it is not decoded.
        StringSpan key;
        if (!IsDigit(ctx.buf[q]) || !ReadString(ctx, q, key))
            return {};
        q += static_cast<uint64_t>(key.size);
        // The key's text, as CAtomString::AsText gives it: zero bytes become spaces.
        ByteString keyText(key.bytes, static_cast<size_t>(key.length));
        std::replace(keyText.begin(), keyText.end(), '\0', ' ');
        if (q >= ctx.len)
            break;
        Decoded value = DecodeAt(ctx, q);
        if (!value.value)
            return {};
        q += static_cast<uint64_t>(value.size);
        // Store, sharing one search of the map: a later duplicate replaces the earlier value.
        auto& entries = dicti->entries;
        const auto at = entries.lower_bound(keyText);
        if (at != entries.end() && at->first == keyText) {
            size += value.size - at->second->BencodedSize();
            delete at->second;
            at->second = value.value.release();
        } else {
            size += key.size + value.size;
            entries.emplace_hint(at, std::move(keyText), value.value.release());
        }
        if (size > kMaxEncodedSize)
            return {};
    }
    return {std::move(dicti), size};
}

Decoded DecodeAt(DecodeContext& ctx, uint64_t pos)
{
    if (pos >= ctx.len)
        return {};
    const char c = ctx.buf[pos];
    if (c == 'i')
        return DecodeIntegerAt(ctx, pos);
    if (IsDigit(c))
        return DecodeStringAt(ctx, pos);
    if (c == 'l')
        return DecodeListAt(ctx, pos);
    if (c == 'd')
        return DecodeDictiAt(ctx, pos);
    return {};
}

using KindDecoder = Decoded (*)(DecodeContext&, uint64_t);

CAtom* DecodeWith(KindDecoder decode, const char* buf, uint32_t len, uint32_t pos)
{
    if (!buf || pos >= len)
        return nullptr;
    DecodeContext ctx(buf, len);
    return decode(ctx, pos).value.release();
}

// The whole file, or nothing: it must be a regular file of at most kMaxFileSize bytes. A file
// that shrinks while it is read leaves zero bytes at the end, as a short read does.
bool ReadRegularFile(const char* path, std::vector<char>& bytes)
{
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileSize;
    if (ok) {
        bytes.assign(static_cast<size_t>(st.st_size), '\0');
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0)
                break;
            done += static_cast<size_t>(n);
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

CAtom* DecodeFile(const char* path)
{
    std::vector<char> bytes;
    if (!path || !ReadRegularFile(path, bytes))
        return nullptr;
    return Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
}

CAtom* Decode(const char* buf, uint32_t len, uint32_t pos) { return DecodeWith(DecodeAt, buf, len, pos); }
CAtom* DecodeInteger(const char* buf, uint32_t len, uint32_t pos) { return DecodeWith(DecodeIntegerAt, buf, len, pos); }
CAtom* DecodeString(const char* buf, uint32_t len, uint32_t pos) { return DecodeWith(DecodeStringAt, buf, len, pos); }
CAtom* DecodeList(const char* buf, uint32_t len, uint32_t pos) { return DecodeWith(DecodeListAt, buf, len, pos); }
CAtom* DecodeDicti(const char* buf, uint32_t len, uint32_t pos) { return DecodeWith(DecodeDictiAt, buf, len, pos); }

int FindBytes(const char* range, int32_t rangeLen, const char* pattern, int32_t patternLen, int32_t* offset)
{
    *offset = 0;
    if (rangeLen < 0 || patternLen < 0 || patternLen > rangeLen)
        return 0;
    if (patternLen == 0)
        return 1;
    const char* end = range + rangeLen;
    const char* last = end - patternLen;  // last start at which the whole pattern fits
    for (const char* at = range; at <= last;) {
        at = static_cast<const char*>(std::memchr(at, pattern[0], static_cast<size_t>(last - at) + 1));
        if (!at)
            return 0;
        if (std::memcmp(at, pattern, static_cast<size_t>(patternLen)) == 0) {
            *offset = static_cast<int32_t>(at - range);
            return 1;
        }
        ++at;
    }
    return 0;
}
