#include "diary/CDaylarkPage.h"

#include "format/CRecordArchive.h"

namespace daylark {

const ClassInfo CDaylarkPage::kClass{"CDaylarkPage", 1,
                                     [] { return std::unique_ptr<CObject>(new CDaylarkPage); }};

void CDaylarkPage::Serialize(CRecordArchive& ar)
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
