# Adds each listed folder (paths from the top of the project). A listed folder without a
# CMakeLists.txt is a configure error: a misspelt or lost folder must not be skipped unseen.
function(stelvador_add_subdirs)
  foreach(dir IN LISTS ARGN)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "Listed folder ${dir} has no CMakeLists.txt")
    endif()
    add_subdirectory(${PROJECT_SOURCE_DIR}/${dir} ${PROJECT_BINARY_DIR}/${dir})
  endforeach()
endfunction()

# GCC 12 at -O3 (the Release build) reports -Wrestrict inside libstdc++'s std::string insert
# and operator+ on a literal, on code that copies nothing onto itself: a false positive of that
# compiler, met mostly by tests and benchmarks building texts. Off for those targets with GCC 12
# only; the program's own code keeps the warning.
function(stelvador_skip_string_restrict_false_positive target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# stelvador_add_test(NAME name SOURCES ... LIBS ... [QT] [LABELS label...])
# A gtest executable registered with CTest; QT tests use the offscreen test main. LABELS go on
# each of its tests ("slow": seconds each; CI runs them, `ctest --preset quick` leaves them out).
function(stelvador_add_test)
  cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE stelvador_flags ${T_LIBS} GTest::gtest GTest::gmock)
  stelvador_skip_string_restrict_false_positive(${T_NAME})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(T_QT)
    target_link_libraries(${T_NAME} PRIVATE stelvador_qt_test_main)
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    STELVADOR_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    STELVADOR_PROGRAM_DIR="${STELVADOR_PROGRAM_DIR}")
  # NO_PRETTY_VALUES: parameter values of case structs would put raw bytes into test names.
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(T_LABELS)
    list(APPEND properties LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       PROPERTIES ${properties})
endfunction()
