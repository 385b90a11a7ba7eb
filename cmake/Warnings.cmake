# Project-wide warning and sanitizer settings.

# A sanitizer finding stops the program (UBSan does not go on after one), so a
# test that meets one fails.
if(ORVEL_SANITIZE OR ORVEL_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined)
endif()

# With the sanitizers' instrumentation GCC reports array bounds on paths the
# code rules out (a read of an empty QByteArray's one shared byte behind a size
# check); the normal build keeps the warning.
if(ORVEL_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-array-bounds)
endif()

# Fuzzing: coverage for libFuzzer in every object; the fuzz targets link the fuzzer's main.
if(ORVEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORVEL_FUZZ needs clang (for example -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings for the project's own targets (not for third-party code).
function(orvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(ORVEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
