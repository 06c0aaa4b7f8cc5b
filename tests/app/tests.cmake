daylark_add_core_test(app_tests
    app/CMainFrameTest.cpp
    app/CommandLineTest.cpp
    app/DaylarkAppTest.cpp
    app/QuietRetrySinkTest.cpp
    app/StartupTest.cpp
    app/WindowPlacementTest.cpp
)
