# Writes a manual page from its template, with @HELP@ replaced by what the
# program prints for --help, so the page and the program never disagree.
#   cmake -DPROGRAM=… -DTEMPLATE=….1.in -DOUT=….1 -DPROJECT_VERSION=… -DORVEL_RELEASE_DATE=… -P ManPage.cmake
# The pages are English: the program speaks the builder's language otherwise.
set(ENV{LANGUAGE} "")
set(ENV{LC_ALL} C.UTF-8)
execute_process(
  COMMAND "${PROGRAM}" --help
  OUTPUT_VARIABLE HELP
  RESULT_VARIABLE status
  ENCODING UTF-8)
if(NOT status EQUAL 0 OR HELP STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()
string(REGEX REPLACE "\n$" "" HELP "${HELP}")
# roff: a backslash is \e, a minus is \-, and a line may not start with a control character.
string(REPLACE "\\" "\\e" HELP "${HELP}")
string(REPLACE "-" "\\-" HELP "${HELP}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" HELP "${HELP}")
configure_file("${TEMPLATE}" "${OUT}" @ONLY)
