# Every Qt view and Qt service. A library, so the Qt Test executables link the views without main.
add_library(daylark_ui STATIC
    ui/MainWindow.cpp
    ui/PageEdit.cpp
    ui/PageTextMapping.cpp
    ui/QtMessageSink.cpp
    ui/TerminationSignals.cpp
    ui/ToolbarIcons.cpp
)
target_link_libraries(daylark_ui PUBLIC daylark_core Qt6::Widgets)

add_executable(daylark ui/main.cpp)
target_link_libraries(daylark PRIVATE daylark_ui)
