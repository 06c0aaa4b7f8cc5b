#include "bench/DataSet.h"

#include "bench/DiaryText.h"
#include "bench/Random.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>

namespace daylark::bench {

namespace {

// Each part of the data set draws from a stream of its own.
enum Stream : std::uint64_t { kPages = 1, kAlarms, kLists, kNotes, kToday, kEdits, kPlant };

constexpr std::int64_t kDay = 86400;

/// A random moment of the local day that starts at `midnight`, between the two hours.
std::int64_t momentOf(Random& random, std::int64_t midnight, int fromHour, int toHour)
{
    const TimeFields day = breakDown(midnight, /*greenwich=*/false);
    return makeLocalTime(day.year, day.month, day.day, random.between(fromHour, toHour),
                         random.between(0, 59), random.between(0, 59));
}

std::vector<CDaylarkPage> makePages(Random& random, std::int64_t now, int years)
{
    DiaryText text(random);
    const TimeFields today = breakDown(now, /*greenwich=*/false);
    const long end = localDayNumber(now);
    std::vector<CDaylarkPage> pages;
    int holiday = 0;
    for (std::int64_t day = makeLocalTime(today.year - years, today.month, today.day);
         localDayNumber(day) < end; day = addLocalDays(day, 1)) {
        if (holiday > 0) {
            --holiday;
            continue;
        }
        if (random.below(200) == 0) {
            holiday = random.between(4, 20);
            continue;
        }
        if (random.chance(7)) {
            continue;
        }
        CDaylarkPage page;
        page.Date = momentOf(random, day, 6, 9);
        page.Text = text.filedPage(page.Date);
        pages.push_back(std::move(page));
    }
    return pages;
}

/// The first page of a year was filed the morning after its day, when the archive was made.
std::map<int, std::int64_t> archiveCreatedTimes(const std::vector<CDaylarkPage>& pages)
{
    std::map<int, std::int64_t> created;
    for (const CDaylarkPage& page : pages) {
        created.try_emplace(breakDown(page.Date, /*greenwich=*/false).year, page.Date + kDay);
    }
    return created;
}

Frequency pickFrequency(Random& random, std::size_t index)
{
    static constexpr Frequency kEvery[] = {
        Frequency::Once,    Frequency::Daily,  Frequency::Weekly,  Frequency::Biweekly,
        Frequency::Monthly, Frequency::Yearly, Frequency::Birthday};
    if (index < std::size(kEvery)) {
        return kEvery[index]; // every frequency at least once
    }
    const auto roll = random.below(100);
    return roll < 30   ? Frequency::Once
           : roll < 38 ? Frequency::Daily
           : roll < 55 ? Frequency::Weekly
           : roll < 65 ? Frequency::Biweekly
           : roll < 80 ? Frequency::Monthly
           : roll < 90 ? Frequency::Yearly
                       : Frequency::Birthday;
}

CDaylarkAlarm makeAlarm(Random& random, DiaryText& text, std::size_t index, std::int64_t now,
                        int years)
{
    const Frequency frequency = pickFrequency(random, index);
    const std::int64_t today = localMidnight(now);
    CDaylarkAlarm alarm;
    alarm.Frequency = static_cast<std::int16_t>(frequency);
    alarm.Name = text.alarmName(alarm.Frequency);
    if (frequency == Frequency::Once) {
        alarm.Time = momentOf(random, addLocalDays(today, random.between(0, 365)), 7, 21);
    } else if (frequency == Frequency::Birthday) {
        alarm.Time = makeLocalTime(random.between(1962, 2012), random.between(1, 12),
                                   random.between(1, 28), random.between(8, 10));
    } else {
        alarm.Time = momentOf(random, addLocalDays(today, -random.between(0, 365 * years)), 7, 21);
    }
    alarm.Time -= alarm.Time % 300; // alarms are set to five minutes
    alarm.MessageBoxFlag = random.chance(85) ? 1 : 0;
    alarm.VisibleOnCalendar = random.chance(90) ? 1 : 0;
    return alarm;
}

std::vector<CDaylarkTodo> makeLists(Random& random, int count, std::int64_t now, int years)
{
    DiaryText text(random);
    std::vector<CDaylarkTodo> lists;
    for (int i = 0; i < count; ++i) {
        CDaylarkTodo list;
        list.Name = text.listName(static_cast<std::size_t>(i));
        list.Contents = text.listContents();
        list.Created = now - kDay * random.between(30, 365 * years) - random.between(0, 86399);
        list.LastChanged =
            list.Created +
            static_cast<std::int64_t>(random.below(static_cast<std::uint64_t>(now - list.Created)));
        lists.push_back(std::move(list));
    }
    return lists;
}

std::vector<CDaylarkFuture> makeNotes(Random& random, int count, std::int64_t now)
{
    DiaryText text(random);
    std::vector<CDaylarkFuture> notes;
    for (int i = 0; i < count; ++i) {
        CDaylarkFuture note;
        note.Date = localMidnight(addLocalDays(now, random.between(1, 730)));
        note.Text = text.noteText();
        notes.push_back(std::move(note));
    }
    return notes;
}

/// A text cut into lines, each with the run of line breaks that follows it, so that joining
/// them gives the text back byte for byte.
struct Lines
{
    struct Line
    {
        std::string body;
        std::string breaks;
    };
    std::vector<Line> lines;

    explicit Lines(std::string_view text)
    {
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t bodyEnd = std::min(text.find_first_of("\r\n", pos), text.size());
            const std::size_t breakEnd =
                std::min(text.find_first_not_of("\r\n", bodyEnd), text.size());
            lines.push_back({std::string(text.substr(pos, bodyEnd - pos)),
                             std::string(text.substr(bodyEnd, breakEnd - bodyEnd))});
            pos = breakEnd;
        }
    }
    /// Puts `body` on a line of its own before line `at`, or last when `at` is the count.
    void insert(std::size_t at, std::string body, std::string_view lineBreak)
    {
        if (at == lines.size() && !lines.empty() && lines.back().breaks.empty()) {
            lines.back().breaks = lineBreak; // the text ended without a break
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                     {std::move(body), at == lines.size() ? "" : std::string(lineBreak)});
    }
    std::string join() const
    {
        std::string text;
        for (const Line& line : lines) {
            text += line.body;
            text += line.breaks;
        }
        return text;
    }
};

/// Ticks one open box of the text; false when it has none.
bool tickBox(Random& random, std::string& text)
{
    std::vector<std::size_t> boxes;
    for (std::size_t at = text.find("{}"); at != std::string::npos; at = text.find("{}", at + 2)) {
        boxes.push_back(at);
    }
    if (boxes.empty()) {
        return false;
    }
    text.replace(boxes[random.below(boxes.size())], 2, "{x}");
    return true;
}

/// One change as the other machine's user makes it: words added to a line, a line added, or
/// (where the text has an open box and `mayTick`) a box ticked. The text always changes.
void editText(Random& random, std::string& text, std::string_view lineBreak, bool mayTick)
{
    DiaryText words(random);
    if (mayTick && random.chance(40) && tickBox(random, text)) {
        return;
    }
    Lines lines(text);
    const auto roll = random.below(100);
    if (lines.lines.empty() || roll < 45) {
        const auto kind = random.below(3);
        std::string line = kind == 0   ? words.entry()
                           : kind == 1 ? words.doneTask()
                                       : words.sentence();
        lines.insert(random.below(lines.lines.size() + 1), std::move(line), lineBreak);
    } else {
        std::string& body = lines.lines[random.below(lines.lines.size())].body;
        if (roll < 80) {
            body += std::string(" - ") + std::string(words.word());
        } else {
            const std::size_t at = std::min<std::size_t>(body.size(), 25);
            body.insert(at, std::string(words.word()) + " ");
        }
    }
    text = lines.join();
}

/// `count` distinct indices below `size`, in random order.
std::vector<std::size_t> chooseIndices(Random& random, std::size_t size, std::size_t count)
{
    std::vector<std::size_t> indices(size);
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    for (std::size_t i = 0; i < count; ++i) {
        std::swap(indices[i], indices[i + random.below(size - i)]);
    }
    indices.resize(count);
    return indices;
}

std::size_t shareOf(std::size_t size, double sharePercent)
{
    const double wanted = std::round(static_cast<double>(size) * sharePercent / 100.0);
    return std::min(size, static_cast<std::size_t>(std::max(0.0, wanted)));
}

void derivePages(Random& random, std::vector<CDaylarkPage>& pages, double sharePercent)
{
    const auto chosen = chooseIndices(random, pages.size(), shareOf(pages.size(), sharePercent));
    std::vector<bool> missing(pages.size(), false);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (i % 10 == 9) {
            missing[chosen[i]] = true;
            continue;
        }
        for (int edits = random.between(1, 3); edits > 0; --edits) {
            editText(random, pages[chosen[i]].Text, kFiledBreak, /*mayTick=*/false);
        }
    }
    std::size_t index = 0;
    std::erase_if(pages, [&](const CDaylarkPage&) { return missing[index++]; });
}

/// Puts `phrase` on a line of its own before a random line of the chosen share of the pages
/// (or at the end of a page without lines).
void plantPhrase(Random& random, std::vector<CDaylarkPage>& pages, const std::string& phrase,
                 double sharePercent)
{
    for (const std::size_t i :
         chooseIndices(random, pages.size(), shareOf(pages.size(), sharePercent))) {
        Lines lines(pages[i].Text);
        lines.insert(random.below(lines.lines.size() + 1), phrase, kFiledBreak);
        pages[i].Text = lines.join();
    }
}

int yearsCovered(const DataSet& set)
{
    if (set.pages.empty()) {
        return 1;
    }
    return std::max<int>(1, static_cast<int>((set.now - set.pages.front().Date) / (365 * kDay)));
}

} // namespace

DataSet generateDataSet(const GenerateOptions& options)
{
    const Random root(options.seed);
    DataSet set;
    set.now = options.now;

    Random pages = root.stream(kPages);
    set.pages = makePages(pages, options.now, options.years);
    set.archiveCreated = archiveCreatedTimes(set.pages);
    if (!options.plant.empty()) {
        Random plant = root.stream(kPlant);
        plantPhrase(plant, set.pages, options.plant, options.plantPercent);
    }

    set.alarms = generateAlarms(options);

    Random lists = root.stream(kLists);
    set.lists = makeLists(lists, options.lists, options.now, options.years);
    Random notes = root.stream(kNotes);
    set.notes = makeNotes(notes, options.notes, options.now);
    Random today = root.stream(kToday);
    set.todayText = DiaryText(today).todayPage();
    return set;
}

std::vector<CDaylarkAlarm> generateAlarms(const GenerateOptions& options)
{
    Random random = Random(options.seed).stream(kAlarms);
    DiaryText text(random);
    std::vector<CDaylarkAlarm> alarms;
    for (int i = 0; i < options.alarms; ++i) {
        alarms.push_back(
            makeAlarm(random, text, static_cast<std::size_t>(i), options.now, options.years));
    }
    return alarms;
}

DataSet deriveDataSet(const DataSet& from, const DeriveOptions& options)
{
    DataSet set = from;
    Random random = Random(options.seed).stream(kEdits);
    const double share = options.sharePercent;

    derivePages(random, set.pages, share);
    for (const std::size_t i :
         chooseIndices(random, set.notes.size(), shareOf(set.notes.size(), share))) {
        editText(random, set.notes[i].Text, kViewBreak, /*mayTick=*/true);
    }
    for (const std::size_t i :
         chooseIndices(random, set.lists.size(), shareOf(set.lists.size(), share))) {
        CDaylarkTodo& list = set.lists[i];
        editText(random, list.Contents, kViewBreak, /*mayTick=*/true);
        list.LastChanged = std::max(list.Created, set.now - random.between(0, 7 * 86400));
    }
    if (share > 0) {
        editText(random, set.todayText, kViewBreak, /*mayTick=*/true);
    }
    DiaryText alarmText(random);
    const std::size_t newAlarms = shareOf(set.alarms.size(), share);
    const int years = yearsCovered(from);
    for (std::size_t i = 0; i < newAlarms; ++i) {
        // Past the first seven indices, which force one of each frequency.
        set.alarms.push_back(makeAlarm(random, alarmText, 7 + i, set.now, years));
    }
    return set;
}

} // namespace daylark::bench
