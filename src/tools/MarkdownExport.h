#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace daylark {

/// One file of a Markdown export: its path under the export directory and its contents.
struct ExportFile
{
    std::string path; ///< relative, '/'-separated
    std::string text; ///< Markdown, UTF-8 with LF line breaks
};

/// The files of a Markdown export, named as they come: filed pages "YYYY/MM/YYYY-MM-DD.md",
/// today's page "today.md", lists "lists/NAME.md" and future notes "notes/YYYY-MM-DD.md".
/// Dates are the local days of the stored times. Two things that would get the same name (two
/// lists whose names end up alike, two pages or notes of one day) never share a file: the later
/// one gets " (2)", " (3)", ... before ".md", so the export loses nothing.
class MarkdownExport
{
public:
    ExportFile page(std::int64_t date, std::string_view text);
    ExportFile today(std::string_view text);
    ExportFile list(std::string_view name, std::string_view contents);
    ExportFile note(std::int64_t date, std::string_view text);

    /// A list name as a file name (without ".md"): UTF-8, each '/' and NUL and a leading '.'
    /// become '_', an empty name is "_", and a name longer than a file system takes is cut at
    /// a character boundary.
    static std::string listFileName(std::string_view name);

private:
    /// `stem` + ".md" in `folder`, or the first free "stem (N).md".
    std::string freeName(const std::string& folder, const std::string& stem);

    std::set<std::string> m_used;
};

} // namespace daylark
