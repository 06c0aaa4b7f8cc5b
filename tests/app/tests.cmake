daylark_add_core_test(app_tests
    app/StartupTest.cpp
)
