#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace daylark::bench {

class Random;

/// The page view hands texts over with CR LF; the texts the diary rebuilds (filed pages,
/// carried lines) break their lines with CR CR LF.
inline constexpr std::string_view kViewBreak = "\r\n";
inline constexpr std::string_view kFiledBreak = "\r\r\n";

/// Makes the texts of a synthetic diary from word tables: task lines with their boxes, timed
/// entries, sentences about people and things, in UTF-8 with a few accented names. Every text
/// depends only on the generator it draws from.
class DiaryText
{
public:
    explicit DiaryText(Random& random);

    /// "{}Call the plumber about the kitchen tap"
    std::string openTask();
    /// "{x}Pay the electricity bill before Friday"
    std::string doneTask();
    /// "09:30 Dentist at the café on Main Street"
    std::string entry();
    /// One or more sentences on a line.
    std::string sentence();
    /// A list item without a box.
    std::string item();

    /// The text of a filed page for the day of `date`, of a size spread around 2 KB (a few
    /// pages are much longer), with done tasks (open ones stay on the current page), entries
    /// and notes; now and then a due note, a removed alarm's line or done lines from the lists.
    std::string filedPage(std::int64_t date);
    /// The page being written today: carried open tasks first, then the day's lines.
    std::string todayPage();
    /// A list's contents: open and done tasks and plain items, 60 bytes to 2.5 KB.
    std::string listContents();
    /// A future note of one to three lines.
    std::string noteText();
    /// A list name; different for every index.
    std::string listName(std::size_t index);
    /// An alarm name fitting the frequency (`Frequency` value as stored).
    std::string alarmName(std::int16_t frequency);
    /// One of the words the tables use, for edits.
    std::string_view word();

private:
    std::string taskBody();
    std::size_t filedPageSize();

    Random& m_random;
};

} // namespace daylark::bench
