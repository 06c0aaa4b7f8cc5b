#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace daylark {

/// The page font as the profile value "Font" keeps it: the fields of a classic LOGFONT. How
/// the desktop program maps them onto its own fonts is the page view's business; every field
/// is kept as read and written back unchanged.
struct PageFont
{
    static constexpr std::size_t kMaxFaceName = 31;

    std::int32_t Height = 0;
    std::int32_t Width = 0;
    std::int32_t Escapement = 0;
    std::int32_t Orientation = 0;
    std::int32_t Weight = 0;
    std::uint8_t Italic = 0;
    std::uint8_t Underline = 0;
    std::uint8_t StrikeOut = 0;
    std::uint8_t CharSet = 0;
    std::uint8_t OutPrecision = 0;
    std::uint8_t ClipPrecision = 0;
    std::uint8_t Quality = 0;
    std::uint8_t PitchAndFamily = 0;
    std::string FaceName; ///< at most kMaxFaceName bytes

    /// Reads "height,width,escapement,orientation,weight,italic,underline,strike-out,charset,
    /// out precision,clip precision,quality,pitch and family,face name". Numbers are read as
    /// scanf's %ld / %d read them (blanks before a number, an optional sign); the small fields
    /// keep the low 8 bits of their number. Reading stops at the first field that does not
    /// parse: it and every later field stay 0 (the face name empty). The face name is all that
    /// follows the last comma, blanks included, cut to 31 bytes (never inside a UTF-8
    /// character).
    static PageFont parse(std::string_view value);
    /// The value in the same form, the small fields as numbers 0..255.
    std::string format() const;

    bool operator==(const PageFont&) const = default;
};

} // namespace daylark
