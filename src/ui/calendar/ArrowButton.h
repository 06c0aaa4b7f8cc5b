#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace daylark {

/// What an arrow button steps by: a month shows a double arrow, a week (or a day in the day
/// view) a single one.
enum class Arrow { MonthBack, WeekBack, WeekForward, MonthForward };

/// The look of an arrow button. Disabled wins over pressed, pressed over focused.
enum class ArrowState { Normal, Pressed, Focused, Disabled };

/// A square picture button showing one arrow, for the calendar's and the day view's steps. It
/// takes the keyboard focus by Tab and click, and Space presses it; its user gives it a tool tip.
class ArrowButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ArrowButton(Arrow arrow, QWidget* parent = nullptr);

    Arrow arrow() const { return m_arrow; }
    /// About 28 pixels square at 96 dpi with the default font; grows with the font.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ArrowState state() const;

    const Arrow m_arrow;
};

/// The picture of one arrow in one state, as the button paints it: `size` in device-independent
/// pixels, drawn at `devicePixelRatio` so it stays sharp on a high-density screen. Back arrows are
/// the mirror images of forward ones.
QPixmap arrowPicture(Arrow arrow, ArrowState state, const QSize& size, qreal devicePixelRatio);

} // namespace daylark
