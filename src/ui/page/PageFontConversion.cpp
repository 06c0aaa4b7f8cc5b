#include "ui/page/PageFontConversion.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace daylark {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

std::string faceNameOf(QString family)
{
    while (family.toUtf8().size() > qsizetype(PageFont::kMaxFaceName)) {
        family.chop(family.size() >= 2 && family.at(family.size() - 1).isLowSurrogate() ? 2 : 1);
    }
    return family.toStdString();
}

} // namespace

QFont qtFontOf(const PageFont& page)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!page.FaceName.empty()) {
        font.setFamilies(QStringList{QString::fromStdString(page.FaceName)});
    }
    if (page.Height != 0) {
        font.setPointSizeF(std::abs(static_cast<double>(page.Height)) / kPixelsPerPoint);
    }
    if (page.Weight >= 100 && page.Weight <= 900) {
        font.setWeight(static_cast<QFont::Weight>(page.Weight));
    }
    font.setItalic(page.Italic != 0);
    font.setUnderline(page.Underline != 0);
    font.setStrikeOut(page.StrikeOut != 0);
    return font;
}

PageFont pageFontOf(const QFont& chosen, PageFont kept)
{
    if (chosen.pointSizeF() > 0) {
        kept.Height =
            -static_cast<std::int32_t>(std::lround(chosen.pointSizeF() * kPixelsPerPoint));
    } else if (chosen.pixelSize() > 0) {
        kept.Height = -chosen.pixelSize();
    }
    kept.Weight = chosen.weight();
    kept.Italic = chosen.italic() ? 1 : 0;
    kept.Underline = chosen.underline() ? 1 : 0;
    kept.StrikeOut = chosen.strikeOut() ? 1 : 0;
    kept.FaceName = faceNameOf(chosen.family());
    return kept;
}

} // namespace daylark
