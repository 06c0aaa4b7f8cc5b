daylark_add_core_test(platform_tests
    platform/FileSystemTest.cpp
    platform/LocationsTest.cpp
    platform/ProfileTest.cpp
    platform/TimeTextTest.cpp
)
