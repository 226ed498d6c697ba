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
target_compile_options(pavra_engine_san PRIVATE ${SANITIZE})
add_executable(pavra_engine_tests_san ${ENGINE_TESTS})
target_compile_options(pavra_engine_tests_san PRIVATE ${SANITIZE})
target_link_options(pavra_engine_tests_san PRIVATE ${SANITIZE})
target_link_libraries(pavra_engine_tests_san PRIVATE pavra_engine_san gtest_main)
add_test(NAME engine_sanitized COMMAND pavra_engine_tests_san)

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
