# The fuzzers' kept inputs are replayed by a plain test in every build: the record stream's,
# the data files' (each read by every command that reads it), the line merge's and the
# settings' (profile, window placements, the desktop program's command line).
add_library(daylark_fuzz_support STATIC
    fuzz/FuzzReadObject.cpp fuzz/FuzzDataFiles.cpp fuzz/FuzzMergeText.cpp fuzz/FuzzSettings.cpp)
target_link_libraries(daylark_fuzz_support PUBLIC daylark_test_support daylark_cli_lib)

daylark_add_core_test(fuzz_corpus_tests fuzz/CorpusReplayTest.cpp)
target_link_libraries(fuzz_corpus_tests PRIVATE daylark_fuzz_support)
target_compile_definitions(fuzz_corpus_tests PRIVATE
    DAYLARK_FUZZ_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus"
    DAYLARK_FILES_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/files-corpus"
    DAYLARK_MERGE_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/merge-corpus"
    DAYLARK_SETTINGS_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/settings-corpus")

if(DAYLARK_FUZZ)
    # A libFuzzer target and its fixed, short run: new inputs go to a scratch directory, the kept
    # corpus is only read. daylark_add_fuzzer(NAME SOURCE CORPUS LIMIT...)
    function(daylark_add_fuzzer name source corpus)
        add_executable(${name} ${source})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${name} PRIVATE daylark_fuzz_support)
        set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}-scratch)
        file(MAKE_DIRECTORY ${scratch})
        add_test(NAME ${name}
            COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
                $<TARGET_FILE:${name}> ${ARGN} -seed=1 -max_len=4096
                ${scratch} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${corpus})
        set_tests_properties(${name} PROPERTIES TIMEOUT 110)
    endfunction()

    daylark_add_fuzzer(read_object_fuzzer fuzz/ReadObjectFuzzer.cpp corpus -runs=200000)
    daylark_add_fuzzer(data_files_fuzzer fuzz/DataFilesFuzzer.cpp files-corpus -max_total_time=60)
    daylark_add_fuzzer(merge_text_fuzzer fuzz/MergeTextFuzzer.cpp merge-corpus -max_total_time=20)
    daylark_add_fuzzer(settings_fuzzer fuzz/SettingsFuzzer.cpp settings-corpus -max_total_time=15)
endif()
