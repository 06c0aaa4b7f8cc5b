#pragma once

#include "alarms/CDaylarkAlarm.h"
#include "format/RecordFile.h"

#include <string>

namespace daylark {

/// The alarms, "daylark.alm": loaded whole when an operation needs them (today's alarms, the
/// calendar, search, synchronisation), saved when changed, then emptied. Loading a missing file
/// creates it empty. Every alarm is written with record version 101.
class CAlarmFile : public RecordFile<CDaylarkAlarm>
{
public:
    static constexpr RecordFileContexts kContexts{
        "File Exception, %d, looking for Alarm",
        "File Exception, %d, Creating Alarm archive.",
        {"File Exception, %d, reading Alarm", "Archive Exception, %d, reading Alarm",
         "Memory exception reading a daylark Alarm"},
        {"File Exception, %d, archiving Alarm", "Archive Exception, %d, archiving Alarm",
         "Memory exception archiving a daylark Alarm"},
        "File Exception, %d, archiving Alarm.",
        {"File Exception, %d, reading Alarm", "Archive Exception, %d, reading Alarm",
         "Memory exception reading a daylark Alarm"},
    };

    CAlarmFile(std::string path, MessageSink& messages);
};

} // namespace daylark
