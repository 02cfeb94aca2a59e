#pragma once
// Calendar fields to an OLE Automation date (days since 1899-12-30, time of day as fraction).

#include "torrent/torrent_file_info.h"

#include <cstdint>
#include <optional>

// Each field is taken as an unsigned 16-bit number, month and day counted from 1. Empty for a
// year above 9999, a month outside 1-12, a day outside its month, or a time past 23:59:59.
// Before 1899-12-30 the time of day is subtracted from the negative day count.
std::optional<DateTime> DateTimeFromFields(uint16_t year, uint16_t month, uint16_t day, uint16_t hour,
                                           uint16_t minute, uint16_t second);
