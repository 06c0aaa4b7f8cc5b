#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace daylark::test {

/// Sets TZ for the lifetime of the object and restores it afterwards. Give the full rule
/// ("EST5EDT,M4.1.0,M10.5.0") where summer time matters, so no result depends on zone files.
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
