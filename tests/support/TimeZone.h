#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace daylark::test {

/// New York's rule as it stood from 1987 to 2006, written out in full so that no result depends
/// on the installed zone files: the zone of every test that looks at summer time.
inline constexpr const char* kEastern = "EST5EDT,M4.1.0,M10.5.0";

/// Sets TZ for the lifetime of the object and restores it afterwards. Give the full rule
/// (kEastern) where summer time matters, so no result depends on zone files.
class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            m_old = old;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_old) {
            ::setenv("TZ", m_old->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> m_old;
};

} // namespace daylark::test
