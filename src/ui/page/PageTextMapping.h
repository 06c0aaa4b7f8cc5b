#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace daylark {

/// The page text as the editor shows it: every run of CRs followed by one LF, and every run of
/// CRs not followed by an LF, is one line break (so CR CR LF shows single-spaced). Bytes that
/// are not valid UTF-8 are shown as Windows-1252; no byte is ever replaced by U+FFFD.
QString displayTextFromPage(std::string_view bytes);

/// The page text of what the editor shows: UTF-8, every line break as CR LF.
std::string pageTextFromDisplay(const QString& display);

/// The number of bytes pageTextFromDisplay() gives for display.left(position).
std::size_t pageOffsetOfDisplay(const QString& display, qsizetype position);

/// The display position whose page offset is the first one at or after `offset`.
qsizetype displayPositionOfPage(const QString& display, std::size_t offset);

} // namespace daylark
