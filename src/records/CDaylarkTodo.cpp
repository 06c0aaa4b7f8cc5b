#include "records/CDaylarkTodo.h"

#include "format/CRecordArchive.h"

namespace daylark {

const ClassInfo CDaylarkTodo::kClass{"CDaylarkTodo", 1,
                                     [] { return std::unique_ptr<CObject>(new CDaylarkTodo); }};

void CDaylarkTodo::Serialize(CRecordArchive& ar)
{
    if (ar.IsStoring()) {
        ar.writeDword(Version);
        ar.writeTime(Created);
        ar.writeTime(LastChanged);
        ar.writeString(Name);
        ar.writeString(Contents);
        return;
    }
    Version = ar.readDword();
    Created = ar.readTime();
    LastChanged = ar.readTime();
    Name = ar.readString();
    Contents = ar.readString();
}

} // namespace daylark
