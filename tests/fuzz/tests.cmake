# The fuzzers' kept inputs are replayed by a plain test in every build: the record stream's,
# and the data files' (each read by every command that reads it).
add_library(daylark_fuzz_support STATIC fuzz/FuzzReadObject.cpp fuzz/FuzzDataFiles.cpp)
target_link_libraries(daylark_fuzz_support PUBLIC daylark_test_support daylark_cli_lib)

daylark_add_core_test(fuzz_corpus_tests fuzz/CorpusReplayTest.cpp)
target_link_libraries(fuzz_corpus_tests PRIVATE daylark_fuzz_support)
target_compile_definitions(fuzz_corpus_tests PRIVATE
    DAYLARK_FUZZ_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus"
    DAYLARK_FILES_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/files-corpus")

if(DAYLARK_FUZZ)
    add_executable(read_object_fuzzer fuzz/ReadObjectFuzzer.cpp)
    target_compile_options(read_object_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_options(read_object_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_libraries(read_object_fuzzer PRIVATE daylark_fuzz_support)
    # A fixed, short run: new inputs go to a scratch directory, the kept corpus is only read.
    add_test(NAME read_object_fuzzer
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
            $<TARGET_FILE:read_object_fuzzer> -runs=200000 -seed=1 -max_len=4096
            ${CMAKE_CURRENT_BINARY_DIR}/fuzz-scratch ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fuzz-scratch)

    add_executable(data_files_fuzzer fuzz/DataFilesFuzzer.cpp)
    target_compile_options(data_files_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_options(data_files_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_libraries(data_files_fuzzer PRIVATE daylark_fuzz_support)
    add_test(NAME data_files_fuzzer
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
            $<TARGET_FILE:data_files_fuzzer> -max_total_time=60 -seed=1 -max_len=4096
            ${CMAKE_CURRENT_BINARY_DIR}/files-scratch ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/files-corpus)
    set_tests_properties(data_files_fuzzer PROPERTIES TIMEOUT 110)
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/files-scratch)
endif()
