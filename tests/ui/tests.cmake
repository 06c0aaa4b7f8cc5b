# One Qt Test executable per view, run offscreen.
function(daylark_add_ui_test name)
    add_executable(${name} ui/${name}.cpp)
    target_link_libraries(${name} PRIVATE daylark_ui daylark_test_support Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC")
endfunction()

daylark_add_ui_test(PageEditTest)
daylark_add_ui_test(MainWindowTest)
daylark_add_ui_test(SearchDialogViewTest)
daylark_add_ui_test(BackupSyncDialogViewTest)
