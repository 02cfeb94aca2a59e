#pragma once
// Building test documents: bencoded pieces, and a torrent loaded from given bytes.

#include <memory>
#include <string>
#include <string_view>

#include "torrent/torrent.h"

// The bencoding of the byte string `s`.
inline std::string Str(std::string_view s)
{
    return std::to_string(s.size()) + ":" + std::string(s);
}

// A torrent that LoadFile filled from a temporary file holding `bytes`; the test fails when
// the bytes do not load.
std::unique_ptr<CTorrent> LoadBytes(std::string_view bytes);
