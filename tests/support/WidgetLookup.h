#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace daylark::test {

/// The child widget a test drives, found by its object name; a missing one ends the test run
/// with its name, instead of a null pointer crash later.
template <class Widget> Widget* child(QObject& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        qFatal("no widget %s", name);
    }
    return widget;
}

} // namespace daylark::test
