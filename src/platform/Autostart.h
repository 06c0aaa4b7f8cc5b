#pragma once

#include <string>

namespace daylark {

class MessageSink;

/// The desktop entry that starts Daylark when the user logs in (XDG autostart): written when
/// the setting is turned on, removed when it is turned off.
class Autostart
{
public:
    /// `path` is the entry's file (Locations::autostartPath); `program` the command it runs,
    /// the running program's own path.
    Autostart(std::string path, std::string program);

    /// Whether the entry is there (and not turned off by a "Hidden=true" line of the user's).
    bool enabled() const;
    /// Writes the entry (making its folder) or removes it. A failure is shown through
    /// `messages` and leaves things as they were; true when the entry is as asked.
    bool set(bool on, MessageSink& messages) const;

    /// The entry's text.
    std::string entry() const;

private:
    std::string m_path;
    std::string m_program;
};

} // namespace daylark
