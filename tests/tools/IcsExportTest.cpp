#include "tools/IcsExport.h"

#include "alarms/CDaylarkAlarm.h"
#include "platform/LocalTime.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace daylark::test {
namespace {

std::vector<std::unique_ptr<CDaylarkAlarm>> oneAlarm(std::string name, const std::string& at,
                                                     Frequency every)
{
    std::vector<std::unique_ptr<CDaylarkAlarm>> alarms;
    alarms.push_back(std::make_unique<CDaylarkAlarm>());
    alarms.back()->Name = std::move(name);
    alarms.back()->Time = *parseLocalDateTime(at);
    alarms.back()->Frequency = static_cast<std::int16_t>(every);
    return alarms;
}

/// The text between "BEGIN:VTIMEZONE" and the first VEVENT.
std::string timeZonePart(const std::string& ics)
{
    const std::size_t begin = ics.find("BEGIN:VTIMEZONE");
    const std::size_t end = ics.find("BEGIN:VEVENT");
    return begin == std::string::npos ? std::string() : ics.substr(begin, end - begin);
}

TEST(IcsExport, ZoneNamesAreTakenFromTzOrTheLocaltimeLink)
{
    const TempDir dir;
    const std::string link = dir.file("localtime");
    ASSERT_EQ(::symlink("/usr/share/zoneinfo/posix/Europe/Paris", link.c_str()), 0);
    const std::string none = dir.file("no-link");
    const std::vector<std::pair<const char*, std::optional<std::string>>> cases = {
        {"Europe/Paris", "Europe/Paris"},
        {":America/New_York", "America/New_York"},
        {"/usr/share/zoneinfo/Asia/Tokyo", "Asia/Tokyo"},
        {"Etc/GMT+5", "Etc/GMT+5"},
        {"UTC", "UTC"},
        {"EST5EDT,M3.2.0,M11.1.0", std::nullopt},
        {"CET-1CEST", std::nullopt},
        {"<+03>-3", std::nullopt},
        {"", std::nullopt},
        {"../../etc/passwd", std::nullopt},
        {"/tmp/zone", std::nullopt},
    };
    for (const auto& [tz, name] : cases) {
        SCOPED_TRACE(tz);
        EXPECT_EQ(zoneNameOf(tz, none), name);
    }
    EXPECT_EQ(zoneNameOf(nullptr, link), "Europe/Paris");
    EXPECT_EQ(zoneNameOf(nullptr, none), std::nullopt);
}

TEST(IcsExport, NamedZoneDescribesEveryOffsetChangeFromTheFirstAlarmsYear)
{
    ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    const auto alarms = oneAlarm("Gym", "2036-03-04 18:00", Frequency::Weekly);
    const std::string ics = exportIcs(alarms, 0, "America/New_York");
    EXPECT_EQ(timeZonePart(ics), "BEGIN:VTIMEZONE\r\n"
                                 "TZID:America/New_York\r\n"
                                 "BEGIN:STANDARD\r\n"
                                 "DTSTART:20360101T000000\r\n"
                                 "TZOFFSETFROM:-0500\r\n"
                                 "TZOFFSETTO:-0500\r\n"
                                 "TZNAME:EST\r\n"
                                 "END:STANDARD\r\n"
                                 "BEGIN:DAYLIGHT\r\n"
                                 "DTSTART:20360309T020000\r\n"
                                 "TZOFFSETFROM:-0500\r\n"
                                 "TZOFFSETTO:-0400\r\n"
                                 "TZNAME:EDT\r\n"
                                 "END:DAYLIGHT\r\n"
                                 "BEGIN:STANDARD\r\n"
                                 "DTSTART:20361102T020000\r\n"
                                 "TZOFFSETFROM:-0400\r\n"
                                 "TZOFFSETTO:-0500\r\n"
                                 "TZNAME:EST\r\n"
                                 "END:STANDARD\r\n"
                                 "BEGIN:DAYLIGHT\r\n"
                                 "DTSTART:20370308T020000\r\n"
                                 "TZOFFSETFROM:-0500\r\n"
                                 "TZOFFSETTO:-0400\r\n"
                                 "TZNAME:EDT\r\n"
                                 "END:DAYLIGHT\r\n"
                                 "BEGIN:STANDARD\r\n"
                                 "DTSTART:20371101T020000\r\n"
                                 "TZOFFSETFROM:-0400\r\n"
                                 "TZOFFSETTO:-0500\r\n"
                                 "TZNAME:EST\r\n"
                                 "END:STANDARD\r\n"
                                 "END:VTIMEZONE\r\n");
    EXPECT_NE(ics.find("\r\nDTSTART;TZID=America/New_York:20360304T180000\r\n"), std::string::npos);
    // Without a name the times float, and nothing needs a VTIMEZONE.
    const std::string floating = exportIcs(alarms, 0, std::nullopt);
    EXPECT_EQ(timeZonePart(floating), "");
    EXPECT_NE(floating.find("\r\nDTSTART:20360304T180000\r\n"), std::string::npos);
    EXPECT_EQ(timeZonePart(exportIcs({}, 0, "America/New_York")), "");
}

TEST(IcsExport, LongAndOddTextsFoldOnCharactersAndStayValid)
{
    ScopedTimeZone zone("UTC0");
    // 66 letters put the fold of the SUMMARY line inside the three bytes of the euro sign.
    const std::string name = std::string(66, 'a') + "\xE2\x82\xAC" + "b\x01" + "c\x80";
    const auto alarms = oneAlarm(name, "2030-01-01 10:00", static_cast<Frequency>(6));
    const std::string ics = exportIcs(alarms, 0, std::nullopt);
    EXPECT_NE(ics.find("\r\nSUMMARY:" + std::string(66, 'a') + "\r\n \xE2\x82\xAC" +
                       "b\xEF\xBF\xBD" + "c\xE2\x82\xAC\r\n"),
              std::string::npos)
        << ics;
    // A frequency the program does not know falls on the alarm's own date only.
    EXPECT_EQ(ics.find("RRULE"), std::string::npos);
}

} // namespace
} // namespace daylark::test
