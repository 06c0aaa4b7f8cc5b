#include "records/CDaylarkTodo.h"

#include "format/CRecordArchive.h"
#include "format/RecordFile.h"

namespace daylark {

const ClassInfo CDaylarkTodo::kClass{"CDaylarkTodo", 1,
                                     [] { return std::unique_ptr<CObject>(new CDaylarkTodo); }};

void CDaylarkTodo::Serialize(CRecordArchive& ar)
{
    serializeRecordFields([&] {
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
    });
}

bool CDaylarkTodo::operator==(const CDaylarkTodo& other) const
{
    return Version == other.Version && Created == other.Created &&
           LastChanged == other.LastChanged && Name == other.Name && Contents == other.Contents;
}

} // namespace daylark
