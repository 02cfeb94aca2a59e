#include "tests/torrent/load_bytes.h"

#include <gtest/gtest.h>

#include "tests/torrent/temp_file.h"

std::unique_ptr<CTorrent> LoadBytes(std::string_view bytes)
{
    TempFile file(bytes);
    auto torrent = std::make_unique<CTorrent>();
    EXPECT_TRUE(torrent->LoadFile(file.path())) << bytes;
    return torrent;
}
