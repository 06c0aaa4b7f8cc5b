# The synthetic diary of the benchmarks; built only with them.
if(DAYLARK_BENCH)
    daylark_add_core_test(bench_tests
        bench/DataSetTest.cpp
        bench/MakeDiaryOptionsTest.cpp
        bench/ProcessRunTest.cpp
    )
    target_link_libraries(bench_tests PRIVATE daylark_bench_lib)

    # make-diary writes a one-year set that daylark-cli reads.
    add_test(NAME make_diary_smoke
        COMMAND ${CMAKE_COMMAND} -DMAKE_DIARY=$<TARGET_FILE:make-diary>
            -DCLI=$<TARGET_FILE:daylark-cli> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/make_diary_smoke
            -P ${CMAKE_CURRENT_SOURCE_DIR}/bench/MakeDiarySmoke.cmake)
    set_tests_properties(make_diary_smoke PROPERTIES ENVIRONMENT "TZ=UTC")
endif()
