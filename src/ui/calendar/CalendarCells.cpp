#include "ui/calendar/CalendarCells.h"

#include "calendar/CCalendarDlg.h"
#include "ui/page/PageTextMapping.h"
#include "ui/platform/ColourRef.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace daylark {

namespace {

/// Where the day text starts in its cell; the alarm names follow one line lower each. The
/// texts keep clear of the cell's frame.
constexpr int kTextTop = 5;
constexpr int kTextLeft = 3;

/// Black or white, whichever reads better on `background`: the calendar's colours are the
/// user's choice, and a dark today colour must not hide the day's number.
QColor textColourOn(const QColor& background)
{
    return background.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace

CalendarCells::CalendarCells(CCalendarDlg& logic, QWidget* parent)
    : QWidget(parent)
    , m_logic(logic)
{
    setObjectName("cells");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("Days of the month"));
}

QRect CalendarCells::cellRect(int index) const
{
    const int column = index % monthgrid::kColumns;
    const int row = index / monthgrid::kColumns;
    // The cells share the whole width and height; the remainder goes to the first ones.
    const auto edge = [](int position, int count, int length) { return position * length / count; };
    const int left = edge(column, monthgrid::kColumns, width());
    const int right = edge(column + 1, monthgrid::kColumns, width());
    const int top = edge(row, monthgrid::kRows, height());
    const int bottom = edge(row + 1, monthgrid::kRows, height());
    return QRect(left, top, right - left, bottom - top);
}

QSize CalendarCells::minimumSizeHint() const
{
    // Room for a holiday name and one alarm line in every cell.
    const QFontMetrics metrics = fontMetrics();
    return QSize(monthgrid::kColumns * (metrics.horizontalAdvance(QStringLiteral("Sept 30")) + 4),
                 monthgrid::kRows * (kTextTop + 2 * metrics.height() + 2));
}

QSize CalendarCells::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return QSize(monthgrid::kColumns * metrics.horizontalAdvance(QStringLiteral("Thanksgiving  ")),
                 monthgrid::kRows * (kTextTop + 5 * metrics.height()));
}

void CalendarCells::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (int index = 0; index < monthgrid::kCells; ++index) {
        if (event->rect().intersects(cellRect(index))) {
            paintCell(painter, index);
        }
    }
}

void CalendarCells::paintCell(QPainter& painter, int index) const
{
    const CalendarCell cell = m_logic.cell(index);
    const QRect rect = cellRect(index);
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, qColorOfColourRef(cell.fill));

    // Every text stands on the class colour, a holiday's name too.
    const QColor background = qColorOfColourRef(cell.textBackground);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(background);
    painter.setPen(textColourOn(background));
    const QFontMetrics metrics = painter.fontMetrics();
    int top = rect.top() + kTextTop;
    const auto line = [&](const QString& text) {
        painter.drawText(QPoint(rect.left() + kTextLeft, top + metrics.ascent()), text);
        top += metrics.height();
    };
    line(QString::fromStdString(cell.text));
    for (const std::string& name : cell.alarmNames) {
        if (top >= rect.bottom()) {
            break;
        }
        line(displayTextFromPage(name));
    }

    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    if (hasFocus() && index == m_logic.focusIndex()) {
        QPen mark(palette().color(QPalette::Highlight), 2);
        painter.setPen(mark);
        painter.drawRect(rect.adjusted(2, 2, -2, -2));
    }
    painter.restore();
}

int CalendarCells::cellAt(const QPoint& point) const
{
    for (int index = 0; index < monthgrid::kCells; ++index) {
        if (cellRect(index).contains(point)) {
            return index;
        }
    }
    return -1;
}

void CalendarCells::mousePressEvent(QMouseEvent* event)
{
    const int index = cellAt(event->position().toPoint());
    if (index < 0 || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    requestPopup(index);
}

void CalendarCells::contextMenuEvent(QContextMenuEvent* event)
{
    // The Menu key, or a right click on a cell.
    const int index =
        event->reason() == QContextMenuEvent::Mouse ? cellAt(event->pos()) : m_logic.focusIndex();
    if (index >= 0) {
        requestPopup(index);
    }
}

void CalendarCells::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        m_logic.MoveFocus(-1, 0);
        break;
    case Qt::Key_Right:
        m_logic.MoveFocus(1, 0);
        break;
    case Qt::Key_Up:
        m_logic.MoveFocus(0, -1);
        break;
    case Qt::Key_Down:
        m_logic.MoveFocus(0, 1);
        break;
    case Qt::Key_PageUp:
        m_logic.MonthBack();
        break;
    case Qt::Key_PageDown:
        m_logic.MonthForward();
        break;
    case Qt::Key_Home:
        m_logic.Home();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Menu:
        requestPopup(m_logic.focusIndex());
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
    emit gridMoved();
}

void CalendarCells::focusInEvent(QFocusEvent* event)
{
    update(cellRect(m_logic.focusIndex()));
    QWidget::focusInEvent(event);
}

void CalendarCells::focusOutEvent(QFocusEvent* event)
{
    update(cellRect(m_logic.focusIndex()));
    QWidget::focusOutEvent(event);
}

void CalendarCells::requestPopup(int index)
{
    m_logic.ChooseCell(index);
    update();
    emit popupRequested(index);
}

} // namespace daylark
