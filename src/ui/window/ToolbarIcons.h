#pragma once

#include <QIcon>
#include <QString>

namespace daylark {

/// The toolbar's pictures: the icon theme's when it has one, else our own drawing, so a bare
/// desktop still shows every button.
enum class ToolbarPicture {
    Calendar,
    Lists,
    StopWatch,
    Search,
    BackwardDay,
    ForwardDay,
    Today,
    Cut,
    Copy,
    Paste,
    Synchronize,
};

QIcon toolbarIcon(ToolbarPicture picture);

} // namespace daylark
