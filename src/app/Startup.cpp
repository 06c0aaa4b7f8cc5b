#include "app/Startup.h"

#include "platform/Locations.h"

daylark::CDaylarkDoc::LoadResult daylark::startDocument(CDaylarkDoc& doc,
                                                        const Locations& locations)
{
    doc.setLocations(locations);
    const CDaylarkDoc::LoadResult result = doc.Load();
    doc.LoadPageFont();
    return result;
}
