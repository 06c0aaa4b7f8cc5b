#include "alarms/CDaylarkAlarm.h"

#include "format/CRecordArchive.h"
#include "format/RecordFile.h"

namespace daylark {

const ClassInfo CDaylarkAlarm::kClass{"CDaylarkAlarm", 1,
                                      [] { return std::unique_ptr<CObject>(new CDaylarkAlarm); }};

void CDaylarkAlarm::Serialize(CRecordArchive& ar)
{
    serializeRecordFields([&] {
        if (ar.IsStoring()) {
            ar.writeDword(static_cast<std::uint32_t>(RecordVersion));
            ar.writeTime(Time);
            ar.writeString(Name);
            ar.writeWord(static_cast<std::uint16_t>(Frequency));
            ar.writeWord(static_cast<std::uint16_t>(MessageBoxFlag));
            ar.writeWord(static_cast<std::uint16_t>(Announced));
            if (RecordVersion >= kFirstVisibleFlagVersion) {
                ar.writeWord(static_cast<std::uint16_t>(VisibleOnCalendar));
            }
            return;
        }
        RecordVersion = static_cast<std::int32_t>(ar.readDword());
        Time = ar.readTime();
        Name = ar.readString();
        Frequency = static_cast<std::int16_t>(ar.readWord());
        // The flags are widened from their 16 bits without sign.
        MessageBoxFlag = ar.readWord();
        Announced = ar.readWord();
        VisibleOnCalendar = RecordVersion >= kFirstVisibleFlagVersion ? ar.readWord() : 1;
    });
}

bool CDaylarkAlarm::operator==(const CDaylarkAlarm& other) const
{
    return Name == other.Name && Time == other.Time && RecordVersion == other.RecordVersion &&
           Frequency == other.Frequency && MessageBoxFlag == other.MessageBoxFlag &&
           Announced == other.Announced && VisibleOnCalendar == other.VisibleOnCalendar;
}

} // namespace daylark
