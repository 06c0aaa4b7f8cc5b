#include "ui/calendar/ArrowButton.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>

namespace daylark {

namespace {

/// The colours of one state: the face's gradient top to bottom, its border, the arrow.
struct Look
{
    QColor faceTop;
    QColor faceBottom;
    QColor border;
    QColor glyph;
};

Look lookOf(ArrowState state)
{
    switch (state) {
    case ArrowState::Pressed:
        // Lit from below and a darker arrow: the face seems pushed in.
        return {QColor(0xc9, 0xd3, 0xdd), QColor(0xe6, 0xeb, 0xf0), QColor(0x5a, 0x6a, 0x7a),
                QColor(0x10, 0x34, 0x58)};
    case ArrowState::Disabled:
        // Grey only: a button that cannot be pressed shows no colour at all.
        return {QColor(0xf0, 0xf0, 0xf0), QColor(0xe8, 0xe8, 0xe8), QColor(0xc4, 0xc4, 0xc4),
                QColor(0xa8, 0xa8, 0xa8)};
    case ArrowState::Normal:
    case ArrowState::Focused:
        break;
    }
    return {QColor(0xfc, 0xfd, 0xfe), QColor(0xdc, 0xe3, 0xea), QColor(0x7c, 0x8a, 0x98),
            QColor(0x22, 0x55, 0x88)};
}

void drawFace(QPainter& p, const QRectF& box, ArrowState state, const Look& look)
{
    const qreal radius = std::min(box.width(), box.height()) * 0.18;
    const QRectF face = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, look.faceTop);
    gradient.setColorAt(1, look.faceBottom);
    p.setPen(QPen(look.border, 1));
    p.setBrush(gradient);
    p.drawRoundedRect(face, radius, radius);
    if (state == ArrowState::Focused) {
        // A ring inside the border, plain enough to see on any screen.
        const QRectF ring = face.adjusted(2, 2, -2, -2);
        p.setPen(QPen(QColor(0x2a, 0x7a, 0xe2), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(ring, radius * 0.7, radius * 0.7);
    }
}

/// Right-pointing triangles, one for a week and two touching for a month, centred in `box`.
void drawForwardGlyph(QPainter& p, const QRectF& box, bool month, ArrowState state,
                      const Look& look)
{
    const qreal height = std::min(box.width(), box.height()) * 0.48;
    const qreal width = height * 0.6;
    const int count = month ? 2 : 1;
    QPointF centre = box.center();
    if (state == ArrowState::Pressed) {
        centre.ry() += 1; // straight down, so back and forward stay mirror images
    }
    const qreal left = centre.x() - width * count / 2;
    QPainterPath path;
    for (int i = 0; i < count; ++i) {
        const qreal x = left + i * width;
        path.moveTo(x, centre.y() - height / 2);
        path.lineTo(x + width, centre.y());
        path.lineTo(x, centre.y() + height / 2);
        path.closeSubpath();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(look.glyph);
    p.drawPath(path);
}

bool isBack(Arrow arrow)
{
    return arrow == Arrow::MonthBack || arrow == Arrow::WeekBack;
}

bool isMonth(Arrow arrow)
{
    return arrow == Arrow::MonthBack || arrow == Arrow::MonthForward;
}

} // namespace

ArrowButton::ArrowButton(Arrow arrow, QWidget* parent)
    : QAbstractButton(parent)
    , m_arrow(arrow)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ArrowButton::sizeHint() const
{
    // 28 pixels for a font 16 pixels high, about 10 points at 96 dpi.
    const int side = std::max(20, fontMetrics().height() * 7 / 4);
    return {side, side};
}

QSize ArrowButton::minimumSizeHint() const
{
    const int side = std::max(12, fontMetrics().height());
    return {side, side};
}

void ArrowButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, arrowPicture(m_arrow, state(), size(), devicePixelRatioF()));
}

ArrowState ArrowButton::state() const
{
    if (!isEnabled()) {
        return ArrowState::Disabled;
    }
    if (isDown()) {
        return ArrowState::Pressed;
    }
    return hasFocus() ? ArrowState::Focused : ArrowState::Normal;
}

} // namespace daylark

QPixmap daylark::arrowPicture(Arrow arrow, ArrowState state, const QSize& size,
                              qreal devicePixelRatio)
{
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    if (pixels.isEmpty()) {
        return {};
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const Look look = lookOf(state);
        const QRectF box(QPointF(0, 0), QSizeF(size));
        drawFace(p, box, state, look);
        drawForwardGlyph(p, box, isMonth(arrow), state, look);
    }
    if (isBack(arrow)) {
        // Mirrored whole, so the two directions match to the pixel.
        image = image.transformed(QTransform::fromScale(-1, 1));
        image.setDevicePixelRatio(devicePixelRatio);
    }
    return QPixmap::fromImage(image);
}
