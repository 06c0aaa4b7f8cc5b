#include "records/CDaylarkFuture.h"

#include "format/CRecordArchive.h"

namespace daylark {

const ClassInfo CDaylarkFuture::kClass{"CDaylarkFuture", 1,
                                       [] { return std::unique_ptr<CObject>(new CDaylarkFuture); }};

void CDaylarkFuture::Serialize(CRecordArchive& ar)
{
    if (ar.IsStoring()) {
        ar.writeDword(Version);
        ar.writeTime(Date);
        ar.writeString(Text);
        return;
    }
    Version = ar.readDword();
    Date = ar.readTime();
    Text = ar.readString();
}

} // namespace daylark
