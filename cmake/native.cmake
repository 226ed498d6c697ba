# Native (Linux) targets: everything without window code, for fast tests with sanitizers.
file(GLOB ENGINE_TESTS CONFIGURE_DEPENDS tests/engine/*.cpp)
file(GLOB CONSOLE_TESTS CONFIGURE_DEPENDS tests/console/*.cpp)

add_executable(pavra_engine_tests ${ENGINE_TESTS})
target_link_libraries(pavra_engine_tests PRIVATE pavra_engine gtest_main)
add_test(NAME engine COMMAND pavra_engine_tests)

# The same engine tests once more with AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(pavra_engine_san STATIC ${ENGINE_SOURCES})
target_include_directories(pavra_engine_san PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(pavra_engine_san PRIVATE ${SANITIZE} ${PAVRA_FLOAT_OPTIONS})
add_executable(pavra_engine_tests_san ${ENGINE_TESTS})
target_compile_options(pavra_engine_tests_san PRIVATE ${SANITIZE})
target_link_options(pavra_engine_tests_san PRIVATE ${SANITIZE})
target_link_libraries(pavra_engine_tests_san PRIVATE pavra_engine_san gtest_main)
add_test(NAME engine_sanitized COMMAND pavra_engine_tests_san)

# The output view's line layout has no window code: tested here, with the sanitizers.
add_executable(pavra_layout_tests tests/layout/text_layout_test.cpp platform/text_layout.cpp)
target_include_directories(pavra_layout_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(pavra_layout_tests PRIVATE ${SANITIZE})
target_link_options(pavra_layout_tests PRIVATE ${SANITIZE})
target_link_libraries(pavra_layout_tests PRIVATE gtest_main)
add_test(NAME layout COMMAND pavra_layout_tests)

if(CONSOLE_TESTS)
    add_executable(pavra_console_tests ${CONSOLE_TESTS})
    target_link_libraries(pavra_console_tests PRIVATE gtest_main)
    target_compile_definitions(pavra_console_tests PRIVATE PAVRA_CALC="$<TARGET_FILE:pavra-calc>")
    add_dependencies(pavra_console_tests pavra-calc)
    add_test(NAME console COMMAND pavra_console_tests)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()

# The user manual: internal links resolve and its calculator examples agree with pavra-calc.
add_test(NAME manual COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/manual/check_manual.py
         ${CMAKE_SOURCE_DIR}/manual $<TARGET_FILE:pavra-calc>)

# Every function held against MPFR's correctly rounded values (MPFR is for this test only).
find_path(MPFR_INCLUDE_DIR mpfr.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)
if(MPFR_INCLUDE_DIR AND MPFR_LIBRARY AND GMP_LIBRARY)
    add_library(pavra_mpfr_cases STATIC tests/mpfr/rounding_cases.cpp)
    target_include_directories(pavra_mpfr_cases PUBLIC ${CMAKE_SOURCE_DIR} ${MPFR_INCLUDE_DIR})
    target_link_libraries(pavra_mpfr_cases PUBLIC pavra_engine ${MPFR_LIBRARY} ${GMP_LIBRARY})
    add_executable(pavra_rounding_tests tests/mpfr/correct_rounding_test.cpp)
    target_link_libraries(pavra_rounding_tests PRIVATE pavra_mpfr_cases gtest_main)
    target_compile_definitions(pavra_rounding_tests PRIVATE
        PAVRA_WORST_CASES="${CMAKE_SOURCE_DIR}/tests/engine/worst_cases.txt")
    add_test(NAME rounding COMMAND pavra_rounding_tests)
    # Sanitized, with fewer random arguments (the hard and worst cases all the same).
    add_executable(pavra_rounding_tests_san tests/mpfr/correct_rounding_test.cpp tests/mpfr/rounding_cases.cpp)
    target_include_directories(pavra_rounding_tests_san PRIVATE ${MPFR_INCLUDE_DIR})
    target_compile_options(pavra_rounding_tests_san PRIVATE ${SANITIZE})
    target_link_options(pavra_rounding_tests_san PRIVATE ${SANITIZE})
    target_link_libraries(pavra_rounding_tests_san PRIVATE pavra_engine_san ${MPFR_LIBRARY} ${GMP_LIBRARY} gtest_main)
    target_compile_definitions(pavra_rounding_tests_san PRIVATE PAVRA_RANDOM_PER_FUNCTION=5000
        PAVRA_WORST_CASES="${CMAKE_SOURCE_DIR}/tests/engine/worst_cases.txt")
    add_test(NAME rounding_sanitized COMMAND pavra_rounding_tests_san)
else()
    message(WARNING "MPFR not found: no rounding test (scripts/bootstrap installs libmpfr-dev)")
endif()
if(TARGET pavra_mpfr_cases)
    # Not a test: writes tests/engine/worst_cases.txt (see its first lines).
    add_executable(pavra_worst_cases tests/mpfr/worst_cases.cpp)
    target_link_libraries(pavra_worst_cases PRIVATE pavra_mpfr_cases)
endif()
