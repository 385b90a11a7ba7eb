# Read by CTest when it starts (orvel_qt_test … ROWS in CMakeLists.txt): asks the
# Qt Test program ORVEL_ROWS_PROGRAM for its rows (-datatags) and adds one test
# per row, NAME:function:tag, or NAME:function for a function without rows, so
# that CTest runs them side by side. The list is kept in ORVEL_ROWS_FILE and
# made again whenever the program (or this file) is newer. A program that
# cannot list its rows runs whole, as one test, so that its failure shows. The
# rows take a few seconds each: their COST starts them before the short tests
# when CTest has not yet timed them (a first run).
if(NOT EXISTS "${ORVEL_ROWS_FILE}" OR "${ORVEL_ROWS_PROGRAM}" IS_NEWER_THAN "${ORVEL_ROWS_FILE}"
   OR "${CMAKE_CURRENT_LIST_FILE}" IS_NEWER_THAN "${ORVEL_ROWS_FILE}")
  execute_process(COMMAND "${ORVEL_ROWS_CMAKE}" -E env QT_QPA_PLATFORM=offscreen "${ORVEL_ROWS_PROGRAM}" -datatags
                  OUTPUT_VARIABLE listed RESULT_VARIABLE status ERROR_QUIET)
  set(rows "")
  if(status EQUAL 0)
    string(REPLACE ";" "\\;" listed "${listed}")
    string(REPLACE "\n" ";" lines "${listed}")
    foreach(line IN LISTS lines)
      # "Class function" or "Class function tag with spaces"
      if(NOT line MATCHES "^[^ ]+ ([^ ]+)( (.+))?$")
        continue()
      endif()
      set(row "${CMAKE_MATCH_1}")
      if(NOT "${CMAKE_MATCH_3}" STREQUAL "")
        string(APPEND row ":${CMAKE_MATCH_3}")
      endif()
      string(REPLACE " " "_" name "${ORVEL_ROWS_NAME}:${row}")
      string(APPEND rows "add_test([==[${name}]==] [==[${ORVEL_ROWS_PROGRAM}]==] [==[${row}]==])\n"
             "set_tests_properties([==[${name}]==] PROPERTIES ENVIRONMENT [==[QT_QPA_PLATFORM=offscreen;LANGUAGE=en]==] COST 3)\n")
    endforeach()
  endif()
  if(rows STREQUAL "")
    add_test("${ORVEL_ROWS_NAME}" "${ORVEL_ROWS_PROGRAM}")
    set_tests_properties("${ORVEL_ROWS_NAME}" PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANGUAGE=en")
    return()
  endif()
  file(WRITE "${ORVEL_ROWS_FILE}" "${rows}")
endif()
include("${ORVEL_ROWS_FILE}")
