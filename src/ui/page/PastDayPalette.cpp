#include "ui/page/PastDayPalette.h"

#include <QColor>

namespace {

QColor blend(const QColor& base, const QColor& tint, double share)
{
    return QColor::fromRgbF(float(base.redF() * (1 - share) + tint.redF() * share),
                            float(base.greenF() * (1 - share) + tint.greenF() * share),
                            float(base.blueF() * (1 - share) + tint.blueF() * share));
}

} // namespace

QPalette daylark::pastDayPalette(const QPalette& today)
{
    QPalette past = today;
    past.setColor(QPalette::Base,
                  blend(today.color(QPalette::Base), QColor(0xe0, 0xa8, 0x40), 0.18));
    return past;
}
