// CTorrent: the field queries on the loaded dictionaries.
#include "torrent/torrent.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <utility>

namespace {

// The value under `key` when it is an integer (every integer the decoder reads is a
// CAtomLong), else null.
const CAtomLong* LookupInteger(const CAtomDicti& dict, const char* key)
{
    const CAtom* value = dict.Lookup(key);
    return value && value->IsLong() ? static_cast<const CAtomLong*>(value) : nullptr;
}

const CAtomString* LookupString(const CAtomDicti& dict, const char* key)
{
    const CAtom* value = dict.Lookup(key);
    return value && value->IsString() ? static_cast<const CAtomString*>(value) : nullptr;
}

ByteString TextOf(const CAtomDicti& dict, const char* key)
{
    const CAtom* value = dict.Lookup(key);
    return value ? value->AsText() : ByteString();
}

int32_t Low32(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

constexpr int32_t kPieceHashSize = 20;

int32_t PieceCountOf(int32_t byteCount)
{
    // In 64 bits: a length near INT32_MAX must not overflow while rounding up.
    return static_cast<int32_t>((int64_t{byteCount} + kPieceHashSize - 1) / kPieceHashSize);
}

// The "files" list of `info`, or null when there is none.
const CAtomList* FilesList(const CAtomDicti& info)
{
    const CAtom* files = info.Lookup("files");
    return files && files->IsList() ? static_cast<const CAtomList*>(files) : nullptr;
}

// Checks one element of "files" and gives its length; false when it breaks a rule. With
// `path` given, also builds the path: a backslash before the text of each "path" element.
bool ReadFileEntry(const CAtom& element, int64_t& length, ByteString* path)
{
    if (!element.IsDicti())
        return false;
    const auto& dict = static_cast<const CAtomDicti&>(element);
    const CAtomLong* lengthValue = LookupInteger(dict, "length");
    if (!lengthValue || lengthValue->GetValue() < 0)
        return false;
    const CAtom* pathValue = dict.Lookup("path");
    if (!pathValue || !pathValue->IsList())
        return false;
    for (const CAtom* part : static_cast<const CAtomList*>(pathValue)->Items()) {
        if (!part->IsString())
            return false;
        if (path) {
            *path += '\\';
            *path += part->AsText();
        }
    }
    length = lengthValue->GetValue();
    return true;
}

} // namespace

ByteString CTorrent::GetComment() const { return TextOf(root, "comment"); }
ByteString CTorrent::GetCreatedBy() const { return TextOf(root, "created by"); }
ByteString CTorrent::GetName() const { return TextOf(infoDict, "name"); }

int32_t CTorrent::GetPieceLength() const
{
    const CAtomLong* pieceLength = LookupInteger(infoDict, "piece length");
    return pieceLength ? Low32(pieceLength->GetValue()) : 0;
}

bool CTorrent::GetPieceHashes(std::vector<PieceHash>& hashes) const
{
    hashes.clear();
    const CAtomString* pieces = LookupString(infoDict, "pieces");
    if (!pieces || pieces->length <= 0)
        return false;
    hashes.resize(static_cast<size_t>(PieceCountOf(pieces->length)));
    const auto* bytes = reinterpret_cast<const uint8_t*>(pieces->bytes);
    for (size_t i = 0; i < hashes.size(); ++i) {
        const size_t offset = i * kPieceHashSize;
        const size_t count = std::min<size_t>(kPieceHashSize, static_cast<size_t>(pieces->length) - offset);
        // A short last group is zero-filled rather than read past the end of the string.
        hashes[i].fill(0);
        std::copy_n(bytes + offset, count, hashes[i].begin());
    }
    return true;
}

int32_t CTorrent::GetPieceCount() const
{
    const CAtomString* pieces = LookupString(infoDict, "pieces");
    return pieces && pieces->length > 0 ? PieceCountOf(pieces->length) : 0;
}

int64_t CTorrent::GetTotalLength() const
{
    if (const CAtomLong* length = LookupInteger(infoDict, "length"))
        return length->GetValue();
    // The sum over what GetFileEntries gives, without building the paths.
    const CAtomList* files = FilesList(infoDict);
    if (!files)
        return 0;
    int64_t total = 0;
    for (const CAtom* element : files->Items()) {
        int64_t length = 0;
        if (!ReadFileEntry(*element, length, nullptr))
            return 0;  // all or nothing: no entries, so nothing to sum
        // Lengths are never negative, so only the upper bound can be crossed.
        total = length > std::numeric_limits<int64_t>::max() - total ? std::numeric_limits<int64_t>::max()
                                                                       : total + length;
    }
    return total;
}

void CTorrent::GetFileEntries(std::vector<FileEntry>& entries) const
{
    entries.clear();
    const CAtomList* files = FilesList(infoDict);
    if (!files)
        return;
    const auto& items = files->Items();
    entries.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        FileEntry entry;
        if (!ReadFileEntry(*items[i], entry.length, &entry.path)) {
            entries.clear();
            return;
        }
        entry.position = static_cast<int32_t>(i);
        entries.push_back(std::move(entry));
    }
}

bool CTorrent::GetFiles(std::vector<int64_t>& lengths, std::vector<ByteString>& paths) const
{
    lengths.clear();
    paths.clear();
    std::vector<FileEntry> entries;
    GetFileEntries(entries);
    lengths.reserve(entries.size());
    paths.reserve(entries.size());
    for (FileEntry& entry : entries) {
        lengths.push_back(entry.length);
        paths.push_back(std::move(entry.path));
    }
    return !entries.empty();
}

BrokenDownTime CTorrent::GetCreationDate() const
{
    const CAtomLong* creationDate = LookupInteger(root, "creation date");
    const int32_t seconds = creationDate ? Low32(creationDate->GetValue()) : 0;
    BrokenDownTime result;
    // The conversion this tool was made for has no local time before 1970; keep that.
    if (seconds < 0)
        return result;
    const std::time_t time = seconds;
    std::tm local{};
    if (!localtime_r(&time, &local))
        return result;
    result.second = local.tm_sec;
    result.minute = local.tm_min;
    result.hour = local.tm_hour;
    result.dayOfMonth = local.tm_mday;
    result.month = local.tm_mon;
    result.yearsSince1900 = local.tm_year;
    result.dayOfWeek = local.tm_wday;
    result.dayOfYear = local.tm_yday;
    result.daylightSaving = local.tm_isdst;
    return result;
}
