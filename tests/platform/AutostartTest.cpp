#include "platform/Autostart.h"

#include "platform/Locations.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>

namespace daylark::test {
namespace {

TEST(Autostart, TheEntryIsWrittenWhereTheDesktopLooksAndRemovedAgain)
{
    TempDir dir;
    const std::map<std::string, std::string> environment = {
        {"HOME", dir.file("home")}, {"XDG_CONFIG_HOME", dir.file("config")}};
    const Locations locations = Locations::resolve({}, [&](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    });
    EXPECT_EQ(locations.autostartPath(), dir.file("config") + "/autostart/daylark.desktop");

    RecordingSink sink;
    const Autostart autostart(locations.autostartPath(), "/opt/my apps/daylark");
    EXPECT_FALSE(autostart.enabled());
    EXPECT_TRUE(autostart.set(true, sink)); // the autostart folder is made
    EXPECT_TRUE(autostart.enabled());
    const std::string entry = readFile(locations.autostartPath());
    EXPECT_NE(entry.find("\nExec=\"/opt/my apps/daylark\"\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\n", 0), 0u);
    EXPECT_TRUE(autostart.set(true, sink));
    EXPECT_TRUE(autostart.set(false, sink));
    EXPECT_FALSE(autostart.enabled());
    EXPECT_TRUE(autostart.set(false, sink)); // nothing to remove is no failure
    EXPECT_TRUE(sink.messages.empty());

    // Quotes, dollars and backslashes in the path are escaped as the entry format asks.
    EXPECT_NE(Autostart("x", "/a \"b\" $c\\d")
                  .entry()
                  .find("Exec=\"/a \\\\\"b\\\\\" "
                        "\\\\$c\\\\\\\\d\"\n"),
              std::string::npos);

    // A folder that cannot be made is said, and nothing is claimed.
    ASSERT_EQ(::chmod(dir.file("config").c_str(), 0500), 0);
    ::rmdir((dir.file("config") + "/autostart").c_str());
    if (::geteuid() != 0) { // root writes anywhere
        EXPECT_FALSE(autostart.set(true, sink));
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_NE(sink.messages[0].text.find("autostart entry"), std::string::npos);
    }
    ::chmod(dir.file("config").c_str(), 0700);
}

} // namespace
} // namespace daylark::test
