#pragma once

namespace daylark {

/// How times are shown: owned by the main window, passed by reference to whoever formats
/// times. Stored values are never changed by either flag.
struct DisplayFlags
{
    bool use24HourClock = false; ///< profile value UseUTC
    bool useGmt = false;         ///< profile value UseGMT: break times down in Greenwich time
};

} // namespace daylark
