# Runs make-diary for one year with a fixed seed and checks that daylark-cli reads what it
# wrote: every data file decodes, the pages of a year are listed, a page reads back as the
# exported text, the calendar shows alarms, the other machine's copy is written, and a full
# directory is refused.
# Called with -DMAKE_DIARY=... -DCLI=... -DWORK=<scratch directory>.

function(run expect_success)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(expect_success AND NOT status EQUAL 0)
        message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}\n${err}")
    endif()
    if(NOT expect_success AND status EQUAL 0)
        message(FATAL_ERROR "should have failed: ${ARGN}\n${out}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
set(set "${WORK}/set")
set(cli ${CLI} --data-dir ${set} --profile ${WORK}/daylark.ini)

run(TRUE ${MAKE_DIARY} --years 1 --seed 7 --now "2021-06-15 09:00" --alarms 20 --lists 5
    --notes 10 --export ${WORK}/export ${set})

foreach(file 2020.dlk 2021.dlk daylark.day daylark.alm daylark.tdl daylark.fut)
    run(TRUE ${cli} dump ${set}/${file})
endforeach()

run(TRUE ${cli} pages 2021)
string(REGEX MATCHALL "\n" lines "${out}")
list(LENGTH lines count)
if(count LESS 120 OR count GREATER 166)
    message(FATAL_ERROR "pages 2021 lists ${count} pages for 2021-01-01 to 2021-06-14")
endif()
string(SUBSTRING "${out}" 0 10 first_day)

run(TRUE ${cli} page ${first_day})
file(READ ${WORK}/export/2021/${first_day}.txt exported)
if(NOT out STREQUAL exported)
    message(FATAL_ERROR "page ${first_day} differs from its exported text")
endif()

# The calendar shows the set's alarms; without them its benchmark would time empty cells.
run(TRUE ${cli} calendar 2021-06)
string(REGEX MATCHALL "\n[0-9]+-[0-9]+-[0-9]+\t[a-z]+\t" days "${out}")
string(REGEX MATCHALL "\n2021-06-[0-9]+\t[a-z]+\t[^\t\n]*\t[^\n]" shown "${out}")
list(LENGTH days day_count)
list(LENGTH shown shown_count)
if(NOT day_count EQUAL 42 OR shown_count LESS 1)
    message(FATAL_ERROR "calendar 2021-06: ${day_count} days, ${shown_count} June days with "
        "alarms:\n${out}")
endif()

run(TRUE ${cli} list)
if(NOT out MATCHES "^Shopping\nBooks to read\n")
    message(FATAL_ERROR "unexpected list names:\n${out}")
endif()

run(TRUE ${MAKE_DIARY} --derive ${set} --share 20 ${WORK}/other)
run(TRUE ${CLI} --data-dir ${WORK}/other --profile ${WORK}/daylark.ini dump ${WORK}/other/2021.dlk)

run(FALSE ${MAKE_DIARY} --years 1 ${set})

file(REMOVE_RECURSE "${WORK}")
