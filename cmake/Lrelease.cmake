# Compiles a translation with lrelease and, with -DCOMPLETE=ON, fails when
# lrelease's own report counts a text without a finished translation, so that
# no text of the string table reaches a user untranslated.
#   cmake -DLRELEASE=… -DTS=….ts -DQM=….qm [-DCOMPLETE=ON] -P Lrelease.cmake
execute_process(
  COMMAND "${LRELEASE}" -nounfinished "${TS}" -qm "${QM}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE report
  ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lrelease failed on ${TS}:\n${report}")
endif()
# The report: "Generated N translation(s) (F finished and U unfinished)" and,
# when some have no text at all, "Ignored K untranslated source text(s)".
if(COMPLETE AND (report MATCHES "[1-9][0-9]* unfinished" OR report MATCHES "Ignored [1-9][0-9]* untranslated"))
  file(REMOVE "${QM}")
  message(FATAL_ERROR "${TS} leaves texts untranslated:\n${report}"
                      "Give each a translation (README.md, \"Notes for the next engineer\") and build again.")
endif()
