#pragma once

#include "diary/CDaylarkDoc.h"

namespace daylark {

class Locations;

/// Start-up without a window: names the document's data files from `locations` (the
/// current-day file, the data directory, the year archive of the page date), loads the
/// current-day file when it exists (else the document stays empty and dated now), takes the
/// day-file status and reads the page font. A missing current-day file is not an error; one
/// that fails to read has been reported (and copied aside) when this returns Damaged.
CDaylarkDoc::LoadResult startDocument(CDaylarkDoc& doc, const Locations& locations);

} // namespace daylark
