#include "records/CDaylarkFuture.h"

#include "format/CRecordArchive.h"
#include "format/RecordFile.h"

namespace daylark {

const ClassInfo CDaylarkFuture::kClass{"CDaylarkFuture", 1,
                                       [] { return std::unique_ptr<CObject>(new CDaylarkFuture); }};

void CDaylarkFuture::Serialize(CRecordArchive& ar)
{
    serializeRecordFields([&] {
        if (ar.IsStoring()) {
            ar.writeDword(Version);
            ar.writeTime(Date);
            ar.writeString(Text);
            return;
        }
        Version = ar.readDword();
        Date = ar.readTime();
        Text = ar.readString();
    });
}

bool CDaylarkFuture::operator==(const CDaylarkFuture& other) const
{
    return Text == other.Text && Date == other.Date && Version == other.Version;
}

} // namespace daylark
