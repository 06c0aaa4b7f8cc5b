#include "bench/DiaryText.h"

#include "alarms/CDaylarkAlarm.h"
#include "bench/Random.h"
#include "platform/DisplayFlags.h"
#include "platform/TimeText.h"

#include <cstdio>
#include <vector>

namespace daylark::bench {

namespace {

constexpr const char* kTaskVerbs[] = {
    "Call", "Buy",     "Email", "Fix",    "Pay",   "Book",    "Check",    "Send",
    "Ask",  "Pick up", "Order", "Clean",  "Plan",  "Review",  "Renew",    "Return",
    "Post", "Collect", "Print", "Cancel", "Water", "Prepare", "Write to", "Sort out",
};
constexpr const char* kTaskObjects[] = {
    "the plumber about the kitchen tap",
    "bread and milk",
    "the car insurance",
    "tickets for Saturday",
    "the garden fence",
    "a present for Anna",
    "the invoice from Müller & Söhne",
    "the library books",
    "the quarterly report",
    "the electricity bill",
    "the bank about the loan",
    "new tyres",
    "the spare room",
    "the tax return",
    "the train to Lyon",
    "a table at the café",
    "the broken lamp",
    "Tom's drill",
    "the passport form",
    "the gutter",
    "the minutes of the meeting",
    "photos from the weekend",
    "the contract draft",
    "seeds for the vegetable patch",
    "the heating engineer",
    "the school about the trip",
    "the vet for Rex",
    "the parcel at the post office",
    "the budget spreadsheet",
    "the window cleaner",
};
constexpr const char* kTaskQualifiers[] = {
    "",
    "",
    "",
    " before Friday",
    " today",
    " this week",
    " again",
    " (urgent)",
    " - ask for a quote",
    " for next month",
    " after lunch",
    " if it stops raining",
};
constexpr const char* kEvents[] = {
    "Dentist",
    "Team meeting",
    "Lunch with Anna",
    "Call with the bank",
    "Yoga",
    "Piano lesson",
    "School run",
    "Doctor's appointment",
    "Project review",
    "Haircut",
    "Coffee with José",
    "Train to the city",
    "Parents' evening",
    "Football training",
    "Budget meeting",
    "Interview",
    "Book club",
    "Car service",
    "Choir practice",
    "Meeting with Frau Weiß",
};
constexpr const char* kPlaces[] = {
    "the office",    "the café on Main Street",
    "home",          "room 4.12",
    "the town hall", "Jürgen's",
    "the gym",       "the library",
    "the clinic",
};
constexpr const char* kOpeners[] = {
    "Met",     "Talked to", "Phoned",   "Had lunch with", "Wrote to", "Heard from",
    "Visited", "Emailed",   "Ran into", "Argued with",    "Helped",   "Went shopping with",
};
constexpr const char* kPeople[] = {
    "Anna",     "Tom",           "Mum",          "Dad",    "the neighbours",
    "José",     "Dr. Keller",    "the landlord", "Sophie", "Frau Weiß",
    "the team", "Grandma",       "Mr. Okafor",   "Chloé",  "the accountant",
    "Björn",    "Aunt Margaret", "the plumber",
};
constexpr const char* kTopics[] = {
    "the holiday plans", "the new project", "the roof",    "money",  "the garden",  "Christmas",
    "the move",          "the report",      "the car",     "school", "the wedding", "work",
    "the renovation",    "the election",    "the weather",
};
constexpr const char* kEndings[] = {
    ".",
    ".",
    ", went well.",
    ", needs a follow-up.",
    "; nothing decided yet.",
    " - long talk.",
    ", will call back tomorrow.",
    ". Good news!",
    ", all settled.",
    ". Remind me next week.",
};
constexpr const char* kMoods[] = {
    "Rain all day.",
    "Sunny and warm, 24°C.",
    "Felt tired, early night.",
    "Walked 8 km along the river.",
    "Slept badly.",
    "First snow this winter.",
    "Busy day, nothing much to report.",
    "Quiet morning, read in the garden.",
    "Headache in the afternoon.",
    "Cold and windy.",
};
constexpr const char* kItems[] = {
    "Olive oil",    "Coffee beans",  "Batteries (AA)", "Light bulbs", "Dish soap",
    "Tomatoes",     "Crème fraîche", "Notebook",       "Stamps",      "Birthday card",
    "Paint, white", "Screws 4x40",   "Cat food",       "Rice",        "Wrapping paper",
    "Bin bags",     "Sunscreen",     "Apples",         "Socks",       "Printer ink",
};
constexpr const char* kListNames[] = {
    "Shopping",       "Books to read", "Films",     "Garden",    "Gifts",
    "Packing",        "House repairs", "Work",      "Ideas",     "Recipes to try",
    "Holiday",        "Car",           "Christmas", "Birthdays", "Music",
    "Hardware store", "Pharmacy",      "Projects",  "Kids",      "Cleaning",
    "Paperwork",      "Someday",       "Wine",      "Plants",    "Courses",
};
constexpr const char* kOnceAlarms[] = {
    "Dentist",          "Car service",  "Passport appointment", "Concert",     "Flight to Lisbon",
    "Parents' evening", "Boiler check", "Job interview",        "Vaccination", "Haircut",
};
constexpr const char* kDailyAlarms[] = {
    "Take vitamins", "Walk the dog", "Stand-up meeting", "Feed the cat", "Medication",
};
constexpr const char* kWeeklyAlarms[] = {
    "Bin day", "Piano lesson", "Football training", "Choir", "Market", "Yoga class",
};
constexpr const char* kBiweeklyAlarms[] = {
    "Cleaner comes", "Payday", "Recycling", "Team retrospective", "Library books due",
};
constexpr const char* kMonthlyAlarms[] = {
    "Pay rent", "Meter reading", "Book club", "Check the smoke alarms", "Credit card bill",
};
constexpr const char* kYearlyAlarms[] = {
    "Car insurance renewal", "Wedding anniversary", "Tax return due",
    "Chimney sweep",         "TV licence",          "Boiler service",
};
constexpr const char* kWords[] = {
    "quickly",  "later",   "maybe", "again", "properly", "first",  "together", "carefully",
    "tomorrow", "finally", "twice", "soon",  "too",      "anyway", "instead",  "definitely",
};

void appendLine(std::string& text, const std::string& line, std::string_view lineBreak)
{
    if (!text.empty()) {
        text += lineBreak;
    }
    text += line;
}

} // namespace

DiaryText::DiaryText(Random& random)
    : m_random(random)
{}

std::string DiaryText::taskBody()
{
    std::string body = m_random.pick(kTaskVerbs);
    body += ' ';
    body += m_random.pick(kTaskObjects);
    body += m_random.pick(kTaskQualifiers);
    return body;
}

std::string DiaryText::openTask()
{
    return "{}" + taskBody();
}

std::string DiaryText::doneTask()
{
    return "{x}" + taskBody();
}

std::string DiaryText::entry()
{
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", m_random.between(7, 21),
                  5 * m_random.between(0, 11));
    std::string line = clock;
    line += ' ';
    line += m_random.pick(kEvents);
    if (m_random.chance(40)) {
        line += " at ";
        line += m_random.pick(kPlaces);
    }
    return line;
}

std::string DiaryText::sentence()
{
    std::string line;
    const int count = m_random.between(1, 3);
    for (int i = 0; i < count; ++i) {
        if (!line.empty()) {
            line += ' ';
        }
        line += m_random.pick(kOpeners);
        line += ' ';
        line += m_random.pick(kPeople);
        line += " about ";
        line += m_random.pick(kTopics);
        line += m_random.pick(kEndings);
    }
    return line;
}

std::string DiaryText::item()
{
    return m_random.pick(kItems);
}

std::string_view DiaryText::word()
{
    return m_random.pick(kWords);
}

std::size_t DiaryText::filedPageSize()
{
    // A sum of three even draws spreads the sizes around 2 KB; one page in 25 runs long.
    if (m_random.chance(4)) {
        return static_cast<std::size_t>(m_random.between(4000, 12000));
    }
    return 300 + m_random.below(1150) + m_random.below(1150) + m_random.below(1150);
}

std::string DiaryText::filedPage(std::int64_t date)
{
    const std::size_t target = filedPageSize();
    std::string text;
    if (m_random.chance(30)) {
        appendLine(text, m_random.pick(kMoods), kFiledBreak);
    }
    while (text.size() < target) {
        const auto kind = m_random.below(100);
        std::string line = kind < 30 ? doneTask() : kind < 55 ? entry() : sentence();
        if (!text.empty() && m_random.chance(8)) {
            text += kFiledBreak; // an empty line between paragraphs
        }
        appendLine(text, line, kFiledBreak);
    }
    if (m_random.chance(8)) { // done task lines moved in from the lists
        for (int i = m_random.between(1, 3); i > 0; --i) {
            appendLine(text, doneTask(), kFiledBreak);
        }
    }
    if (m_random.chance(10)) { // a future note that fell due
        appendLine(text, sentence(), kFiledBreak);
    }
    if (m_random.chance(3)) { // a one-time alarm that has passed
        const std::int64_t alarmTime = date - 86400 * m_random.between(1, 5) - 3600;
        appendLine(text,
                   std::string("Alarm, ") + m_random.pick(kOnceAlarms) + ", at, " +
                       FormatDate(alarmTime, /*withTime=*/true, DisplayFlags{}) + ", removed",
                   kFiledBreak);
    }
    return text;
}

std::string DiaryText::todayPage()
{
    std::string text;
    for (int i = m_random.between(2, 8); i > 0; --i) {
        appendLine(text, openTask(), kViewBreak);
    }
    for (int i = m_random.between(0, 3); i > 0; --i) {
        appendLine(text, doneTask(), kViewBreak);
    }
    for (int i = m_random.between(1, 4); i > 0; --i) {
        appendLine(text, entry(), kViewBreak);
    }
    for (int i = m_random.between(2, 6); i > 0; --i) {
        appendLine(text, sentence(), kViewBreak);
    }
    return text;
}

std::string DiaryText::listContents()
{
    const auto target = static_cast<std::size_t>(m_random.between(60, 2500));
    std::string text;
    while (text.size() < target) {
        const auto kind = m_random.below(100);
        appendLine(text, kind < 45 ? openTask() : kind < 65 ? doneTask() : item(), kViewBreak);
    }
    return text;
}

std::string DiaryText::noteText()
{
    std::string text;
    for (int i = m_random.between(1, 3); i > 0; --i) {
        const auto kind = m_random.below(100);
        appendLine(text, kind < 30 ? openTask() : kind < 50 ? entry() : sentence(), kViewBreak);
    }
    return text;
}

std::string DiaryText::listName(std::size_t index)
{
    constexpr std::size_t kCount = std::size(kListNames);
    std::string name = kListNames[index % kCount];
    if (index >= kCount) {
        name += ' ' + std::to_string(index / kCount + 1);
    }
    return name;
}

std::string DiaryText::alarmName(std::int16_t frequency)
{
    std::string name;
    switch (static_cast<Frequency>(frequency)) {
    case Frequency::Once:
        name = m_random.pick(kOnceAlarms);
        break;
    case Frequency::Daily:
        name = m_random.pick(kDailyAlarms);
        break;
    case Frequency::Weekly:
        name = m_random.pick(kWeeklyAlarms);
        break;
    case Frequency::Biweekly:
        name = m_random.pick(kBiweeklyAlarms);
        break;
    case Frequency::Monthly:
        name = m_random.pick(kMonthlyAlarms);
        break;
    case Frequency::Yearly:
        name = m_random.pick(kYearlyAlarms);
        break;
    case Frequency::Birthday:
        return std::string("Birthday ") + m_random.pick(kPeople);
    }
    if (m_random.chance(50)) {
        name += std::string(" (") + m_random.pick(kPeople) + ")";
    }
    return name;
}

} // namespace daylark::bench
