daylark_add_core_test(platform_tests
    platform/ExceptionsTest.cpp
    platform/FileSystemTest.cpp
    platform/LocationsTest.cpp
    platform/ProfileTest.cpp
    platform/TimeTextTest.cpp
)
