daylark_add_core_test(app_tests
    app/CMainFrameTest.cpp
    app/DaylarkAppTest.cpp
    app/StartupTest.cpp
    app/WindowPlacementTest.cpp
)
