#pragma once

#include <QWidget>

namespace daylark {

class CCalendarDlg;

/// The calendar's six rows of seven day cells, drawn from the calendar's logic: each cell
/// filled with its colour, the day text or holiday name and the alarm names line by line,
/// clipped to the cell, inside a one-pixel frame. The keyboard moves a focus mark between the
/// cells (past an edge the grid steps a week); Page Up and Page Down step a month, Home goes
/// to today's month. A click, Enter or the Menu key asks for the cell's day pop-up.
class CalendarCells : public QWidget
{
    Q_OBJECT

public:
    explicit CalendarCells(CCalendarDlg& logic, QWidget* parent = nullptr);

    /// The rectangle of cell `index` (0 to 41) in this widget.
    QRect cellRect(int index) const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

signals:
    /// The user asked for the day pop-up of cell `index`; the logic has it as its target.
    void popupRequested(int index);
    /// A key moved the grid or the focus: the window shows the logic's state again.
    void gridMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int cellAt(const QPoint& point) const;
    void paintCell(QPainter& painter, int index) const;
    void requestPopup(int index);

    CCalendarDlg& m_logic;
};

} // namespace daylark
