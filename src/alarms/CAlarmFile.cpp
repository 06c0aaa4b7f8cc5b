#include "alarms/CAlarmFile.h"

namespace daylark {

namespace {

void stampAlarm(CDaylarkAlarm& alarm)
{
    alarm.RecordVersion = CDaylarkAlarm::kWrittenVersion;
}

} // namespace

CAlarmFile::CAlarmFile(std::string path, MessageSink& messages)
    : RecordFile(std::move(path), messages, kContexts, MissingFile::Create, "alarms", &stampAlarm)
{}

} // namespace daylark
