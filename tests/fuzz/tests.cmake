# The record-stream fuzzer's inputs are replayed by a plain test in every build.
add_library(daylark_fuzz_support STATIC fuzz/FuzzReadObject.cpp)
target_link_libraries(daylark_fuzz_support PUBLIC daylark_test_support)

daylark_add_core_test(fuzz_corpus_tests fuzz/CorpusReplayTest.cpp)
target_link_libraries(fuzz_corpus_tests PRIVATE daylark_fuzz_support)
target_compile_definitions(fuzz_corpus_tests PRIVATE
    DAYLARK_FUZZ_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus")

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
endif()
