#include "sync/SyncSide.h"

void daylark::SyncSide::aboutToWrite(const std::string& path) const
{
    if (beforeWrite) {
        beforeWrite(path);
    }
}
