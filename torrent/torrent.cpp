// CTorrent: loading a metainfo file and its info hash.
#include "torrent/torrent.h"

#include <memory>

#include "bencode/decoder.h"
#include "bencode/encoder.h"
#include "sha1/sha1.h"

bool CTorrent::LoadFile(const ByteString& path)
{
    // A zero byte would end the path early and open some other file.
    if (path.empty() || path.find('\0') != ByteString::npos)
        return false;
    std::unique_ptr<CAtom> decoded(DecodeFile(path.c_str()));
    if (!decoded || !decoded->IsDicti())
        return false;
    // root takes over the decoded entries instead of copying them: the same tree, without a
    // second copy of every value and the destruction of the first. What root held before goes
    // with the decoded value.
    root.entries.swap(static_cast<CAtomDicti&>(*decoded).entries);
    decoded.reset();
    // infoDict is a copy of its own, so it shares no value with the entry inside root.
    infoDict.Clear();
    const CAtom* info = root.Lookup("info");
    if (info && info->IsDicti())
        infoDict = static_cast<const CAtomDicti&>(*info);
    return true;
}

ByteString CTorrent::GetInfoHash(bool asHex) const
{
    ByteString result;
    char* encoded = nullptr;
    int32_t encodedLen = 0;
    if (!EncodeDicti(infoDict, &encoded, &encodedLen))
        return result;
    std::unique_ptr<char[]> owner(encoded);

    CSHA1 sha;
    sha.AddData(reinterpret_cast<const uint8_t*>(encoded), static_cast<uint32_t>(encodedLen));
    sha.Finish();
    if (asHex) {
        char text[64] = {};
        sha.FormatDigest(text, DigestHex);
        result = text;
    } else {
        uint8_t digest[20];
        sha.CopyDigest(digest);
        result = EscapeBytes(digest, sizeof digest);
    }
    return result;
}

ByteString CTorrent::EscapeBytes(const uint8_t* bytes, int32_t count)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    ByteString result;
    if (count <= 0)
        return result;
    result.reserve(static_cast<size_t>(count) * 3);
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t byte = bytes[i];
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' ||
                           byte == '.' || byte == '/';
        if (plain) {
            result += static_cast<char>(byte);
        } else {
            result += '%';
            result += kHexDigits[byte >> 4];
            result += kHexDigits[byte & 0x0F];
        }
    }
    return result;
}
