#pragma once

#include "diary/BufferPageText.h"
#include "diary/CPageArchive.h"
#include "diary/PageFont.h"
#include "platform/Exceptions.h"
#include "platform/Locations.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace daylark {

class Clock;
class CRecordArchive;
class MessageSink;
class PageText;
class Profile;

/// The one document: the page of the current day, kept in the current-day file, with its
/// dates, the page font and the current year's archive.
///
/// The current-day file has two layouts. The versioned one (always written): DWORD version,
/// Time page date, DWORD flag, String text. The old one (read only): Time page date, String
/// text. A first DWORD below 1000 is a version, else it is the old layout's page date.
///
/// The page text lives behind PageText: a byte buffer of the document's own until the page
/// view attaches its control.
class CDaylarkDoc
{
public:
    /// The messages of a failure while reading the current-day file.
    static constexpr FailureContext kReadingContext{
        "File Exception, %d, reading daylark.day file",
        "Archive Exception, %d, reading daylark.day file",
        "Memory exception reading daylark.day file"};

    static constexpr char kOpenTag = '{';
    static constexpr char kCloseTag = '}';
    /// The version a new document writes into the current-day file.
    static constexpr std::uint32_t kNewDayFileVersion = 2;
    /// A first DWORD of the current-day file from here on is the old layout's page date.
    static constexpr std::uint32_t kOldLayoutFirst = 1000;

    enum class LoadResult {
        Missing, ///< no current-day file: not an error, the document stays as made
        Loaded,
        Damaged, ///< the file failed to read: reported, copied aside, the page left as it was
    };

    /// The current-day file as it was after the last load or save (both 0 when it did not
    /// exist), to tell whether someone else changed it since.
    struct DayFileStatus
    {
        std::int64_t modified = 0;
        std::int64_t size = 0;
        bool operator==(const DayFileStatus&) const = default;
    };

    /// A new, empty document dated now.
    CDaylarkDoc(MessageSink& messages, const Clock& clock, Profile& profile);
    CDaylarkDoc(const CDaylarkDoc&) = delete;
    CDaylarkDoc& operator=(const CDaylarkDoc&) = delete;

    /// Names the data files: the current-day file (which the document always has, also before
    /// it exists), the data directory and the year archive of the page date.
    void setLocations(const Locations& locations);
    const Locations& locations() const { return m_locations; }
    const std::string& dayFilePath() const { return m_locations.dayFile(); }
    /// The year archive of the page date.
    CPageArchive& pageArchive() { return m_pageArchive; }
    /// The path of the year archive that holds the day of `date`.
    std::string archivePathFor(std::int64_t date) const;

    PageText& pageText() { return *m_text; }
    /// Hands the page to the page view's control, which from then on holds the text; it must
    /// outlive the document. Text, read-only switch, modified mark and font are carried over.
    void attachPageText(PageText& text);

    std::int64_t pageDate() const { return m_pageDate; }
    /// Moves the page to another day; the page archive follows the page date's year.
    void setPageDate(std::int64_t date);
    std::int64_t shownDate() const { return m_shownDate; }
    void setShownDate(std::int64_t date) { m_shownDate = date; }
    /// The view shows the page of the current day (the shown date is on the page date's day).
    bool showsToday() const;
    /// While the user browses past days: the current day's text as it was when the user left
    /// it. The change of day files and carries this text, not the past page on show.
    std::optional<std::string>& savedTodayText() { return m_savedTodayText; }
    /// The year archives opened while browsing past days; closed when the view returns to today.
    std::vector<std::unique_ptr<CPageArchive>>& yearArchives() { return m_yearArchives; }
    MessageSink& messages() { return m_messages; }
    const Clock& clock() const { return m_clock; }

    std::uint32_t dayFileVersion() const { return m_dayFileVersion; }
    std::uint32_t dayFileFlag() const { return m_dayFileFlag; }

    /// Changed since the last load or save: by the document or by an edit of the page text.
    bool isModified() const;
    void setModified(bool modified);

    /// Storing writes the versioned layout with flag 0 and the whole page text. Loading reads
    /// either layout (the old one leaves version and flag alone) and hands the text to the
    /// page; nothing changes unless the whole file reads. The shown date is not touched.
    void Serialize(CRecordArchive& ar);

    /// Reads the current-day file. On success the page shows the loaded day (shown date =
    /// page date) and is unmodified. A file that fails to read is first copied beside itself
    /// as "<name>.damaged.NNN", then reported in one message that names the copy; if even the
    /// copy fails, the file is never overwritten by this document (Save refuses). The day-file
    /// status is taken in every case.
    LoadResult Load();
    /// Writes the current-day file atomically (the old file stays whole until the new one is
    /// complete), creating it when missing. A failure shows "File Exception, %d, saving
    /// daylark.day" (or its archive or memory form) and returns false.
    bool Save();
    /// Saves when the page of the current day is shown and modified; true when nothing needed
    /// saving or the save succeeded.
    bool SaveModified();

    const DayFileStatus& dayFileStatus() const { return m_dayFileStatus; }
    /// Takes the day-file status from the file on disk.
    void rememberDayFileStatus();

    /// Reads the profile value Settings/Font (see PageFont) and sets it as the page font; an
    /// absent value is the default font (every field 0).
    void LoadPageFont();
    /// Writes the page font to Settings/Font.
    void SavePageFont();
    /// Makes `font` the page font and shows the page in it.
    void SetPageFont(const PageFont& font);
    const PageFont& pageFont() const { return m_pageFont; }

private:
    void keepDamagedDayFile(const std::string& failure);

    MessageSink& m_messages;
    const Clock& m_clock;
    Profile& m_profile;
    Locations m_locations;
    BufferPageText m_ownText;
    PageText* m_text = &m_ownText;
    std::int64_t m_pageDate;
    std::int64_t m_shownDate;
    CPageArchive m_pageArchive;
    PageFont m_pageFont;
    DayFileStatus m_dayFileStatus;
    std::uint32_t m_dayFileFlag = 0;
    std::uint32_t m_dayFileVersion = kNewDayFileVersion;
    bool m_modified = false;
    std::optional<std::string> m_savedTodayText;
    std::vector<std::unique_ptr<CPageArchive>> m_yearArchives;
    /// The current-day file failed to read and could not be copied aside.
    bool m_dayFileProtected = false;
};

} // namespace daylark
