#include "tools/MarkdownExport.h"

#include "platform/TimeText.h"
#include "tools/ExportText.h"

namespace daylark {

namespace {

/// Room for " (NNN).md" within the 255 bytes most file systems allow for a name.
constexpr std::size_t kMaxStemBytes = 240;

} // namespace

std::string MarkdownExport::freeName(const std::string& folder, const std::string& stem)
{
    std::string path = folder + stem + ".md";
    for (int n = 2; m_used.contains(path); ++n) {
        path = folder + stem + " (" + std::to_string(n) + ").md";
    }
    m_used.insert(path);
    return path;
}

ExportFile MarkdownExport::page(std::int64_t date, std::string_view text)
{
    const std::string folder = formatTime("%Y/%m/", date, /*greenwich=*/false);
    return {freeName(folder, formatTime("%Y-%m-%d", date, /*greenwich=*/false)),
            markdownFromText(text)};
}

ExportFile MarkdownExport::today(std::string_view text)
{
    return {freeName("", "today"), markdownFromText(text)};
}

ExportFile MarkdownExport::list(std::string_view name, std::string_view contents)
{
    return {freeName("lists/", listFileName(name)), markdownFromText(contents)};
}

ExportFile MarkdownExport::note(std::int64_t date, std::string_view text)
{
    return {freeName("notes/", formatTime("%Y-%m-%d", date, /*greenwich=*/false)),
            markdownFromText(text)};
}

std::string MarkdownExport::listFileName(std::string_view name)
{
    std::string stem = utf8FromStored(name);
    for (char& c : stem) {
        if (c == '/' || c == '\0') {
            c = '_';
        }
    }
    if (stem.empty()) {
        return "_";
    }
    if (stem[0] == '.') {
        stem[0] = '_';
    }
    if (stem.size() > kMaxStemBytes) {
        std::size_t cut = kMaxStemBytes;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        stem.resize(cut);
    }
    return stem;
}

} // namespace daylark
