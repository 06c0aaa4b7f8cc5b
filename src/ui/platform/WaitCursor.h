#pragma once

#include <QApplication>
#include <QCursor>

namespace daylark {

/// Shows the wait cursor for the life of the object: long work (a search, a synchronisation)
/// tells the user it is busy.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace daylark
