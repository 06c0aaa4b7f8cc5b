#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace daylark {

class MessageSink;

/// The user's settings: an INI file read and written with the semantics of the classic
/// profile functions.
///
/// A section starts at a line "[name]" (blanks around the name ignored). A key line is
/// "key=value": the key is compared after trimming blanks, the value is the text after the
/// first '=' without leading and trailing blanks and a CR. Section and key names are compared
/// without regard to ASCII case; the first matching section and, in it, the first matching key
/// win. Every other line (comments, blank lines, unknown keys) is kept as it was.
///
/// The file is read on every call, so a value written is read back at once and in a later
/// run. A missing file counts as empty and is created (with its directory, mode 0700) by the
/// first write. A file that exists but cannot be read (or is unreasonably large) gives the
/// defaults and is never overwritten: its writes are refused, with one message for the life
/// of the object. A failed write is reported once too, until a write succeeds again.
class Profile
{
public:
    Profile(std::string path, MessageSink& messages);

    const std::string& path() const { return m_path; }

    /// The stored text, or `def` when the section, the key or the file is absent.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    /// The decimal number at the start of the stored text (blanks, an optional sign, digits up
    /// to the first other character: "12abc" is 12); `def` when the value is absent, has no
    /// digit or does not fit an int.
    int readInt(std::string_view section, std::string_view key, int def) const;

    /// Stores `value` at once: the key's line is replaced in place, a missing key is added at
    /// the end of its section, a missing section at the end of the file; the file is replaced
    /// atomically. Blanks at either end of `value` are not kept (a read trims them). A value
    /// with a line break (it could not be read back) or a section or key that could not be
    /// found again is refused. Returns false when nothing was stored.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    /// Keys and their values, in the order they are stored.
    using Values = std::vector<std::pair<std::string, std::string>>;
    /// Stores every value of `values` in `section` as writeString would, one after the other,
    /// with one replacement of the file: closing stores a dozen settings and waits for the disk
    /// once. Nothing is stored when one of them is refused.
    bool writeStrings(std::string_view section, const Values& values);
    /// Stores `value` as its decimal text.
    bool writeInt(std::string_view section, std::string_view key, int value);

private:
    struct Content
    {
        std::vector<std::string> lines; ///< without their LF
        bool endsWithNewline = false;
        bool crlf = false; ///< the first line ends in CR LF: new lines do too
    };

    /// The parsed file; empty when it is absent; nullopt with `error` set when it cannot be
    /// read.
    std::optional<Content> load(int& error) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    bool store(const Content& content);
    /// Sets one key's line in `content`: in place, at the end of its section, or in a new
    /// section at the end.
    static void place(Content& content, std::string_view section, std::string_view key,
                      std::string_view value);
    void reportOnce(bool& reported, const std::string& text);

    std::string m_path;
    MessageSink& m_messages;
    bool m_reportedUnreadable = false;
    bool m_reportedWriteFailure = false;
};

} // namespace daylark
