# Windows targets, cross-built with mingw-w64 and run under Wine.
# Everything is linked statically: pavra.exe needs no DLL beyond the system's.
set(STATIC_LINK -static -static-libgcc -static-libstdc++)
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX)
set(WIN_LIBS comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 kernel32)

file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS platform/*.cpp)
file(GLOB MODES_SOURCES CONFIGURE_DEPENDS modes/*.cpp modes/calc/*.cpp modes/www/*.cpp modes/dos/*.cpp)
file(GLOB SHELL_SOURCES CONFIGURE_DEPENDS shell/*.cpp)
list(FILTER SHELL_SOURCES EXCLUDE REGEX ".*/main\\.cpp$")

add_library(pavra_platform STATIC ${PLATFORM_SOURCES})
target_include_directories(pavra_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(pavra_platform PUBLIC ${WIN_LIBS})

add_library(pavra_app STATIC ${MODES_SOURCES} ${SHELL_SOURCES} ${CMAKE_SOURCE_DIR}/platform/dialog.h)
target_link_libraries(pavra_app PUBLIC pavra_engine pavra_platform)

# windres reads the UTF-8 templates (#pragma code_page(65001)) and stores code page 932 texts.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
enable_language(RC)
# Every template file of resources/ goes into pavra.exe; each one includes resource.h itself.
file(GLOB RC_SOURCES CONFIGURE_DEPENDS resources/*.rc)
# The console calculator declares itself with the same manifest.
target_sources(pavra-calc PRIVATE ${CMAKE_SOURCE_DIR}/resources/manifest.rc)
if(EXISTS ${CMAKE_SOURCE_DIR}/shell/main.cpp)
    add_executable(pavra WIN32 shell/main.cpp ${RC_SOURCES})
    target_link_libraries(pavra PRIVATE pavra_app)
    target_link_options(pavra PRIVATE ${STATIC_LINK} -Wl,--file-alignment=0x1000)
    # The loader maps every section, debug information included, into private memory: the debug
    # information goes beside the program instead (pavra.exe.debug, found through a debug link).
    add_custom_command(TARGET pavra POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:pavra> $<TARGET_FILE:pavra>.debug
        COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:pavra>.debug
                $<TARGET_FILE:pavra>
        VERBATIM)
endif()

# Unit tests that need Windows: the engine once more (the mingw C runtime differs from glibc),
# the platform wrappers and the modes' logic. ctest runs them under Wine.
file(GLOB WIN_TESTS CONFIGURE_DEPENDS tests/engine/*.cpp tests/win/*.cpp)
# The templates go in too, so that the modes' windows can be made in the tests.
add_executable(pavra_win_tests ${WIN_TESTS} ${RC_SOURCES})
target_include_directories(pavra_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(pavra_win_tests PRIVATE pavra_app gtest_main oleacc oleaut32)
target_link_options(pavra_win_tests PRIVATE ${STATIC_LINK})
# The user manual, whose key table the tests hold against the key translation.
target_compile_definitions(pavra_win_tests PRIVATE PAVRA_MANUAL_DIR="${CMAKE_SOURCE_DIR}/manual")
add_test(NAME win_unit COMMAND pavra_win_tests)

# The release package, made from this build the way scripts/package makes it; the end-to-end
# tests unpack it into a fresh folder and start the program from there.
if(TARGET pavra)
    file(GLOB_RECURSE MANUAL_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/manual/*)
    set(PACKAGE_NAME pavra-${PROJECT_VERSION})
    set(PACKAGE_ZIP ${CMAKE_BINARY_DIR}/dist/${PACKAGE_NAME}.zip)
    add_custom_command(OUTPUT ${PACKAGE_ZIP}
        COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/make-package ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/dist
        DEPENDS pavra pavra-calc ${MANUAL_FILES} ${CMAKE_SOURCE_DIR}/scripts/make-package
                ${CMAKE_SOURCE_DIR}/scripts/package-readme.txt
        VERBATIM)
    add_custom_target(package_zip ALL DEPENDS ${PACKAGE_ZIP})
endif()

foreach(extra tests/win/CMakeLists.txt tests/e2e/CMakeLists.txt bench/startup/CMakeLists.txt
              bench/dos/CMakeLists.txt)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${extra})
        get_filename_component(extra_dir ${extra} DIRECTORY)
        add_subdirectory(${extra_dir})
    endif()
endforeach()

# The same function texts as the native build: its pavra-calc against this one under Wine.
set(PAVRA_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH "the native build whose pavra-calc the texts are held against")
add_test(NAME calc_same_texts COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/mpfr/compare_builds.py
         ${PAVRA_NATIVE_BUILD}/console/pavra-calc $<TARGET_FILE:pavra-calc> ${CMAKE_SOURCE_DIR}/scripts/wine-run
         ${CMAKE_SOURCE_DIR}/tests/engine/worst_cases.txt)
