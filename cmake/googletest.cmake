# GoogleTest from Debian's sources in /usr/src/googletest, built with the current compiler,
# so the same sources serve the native and the mingw build.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources are not ours to keep warning-clean; they are plain ASCII.
foreach(t gtest gtest_main)
    target_compile_options(${t} PRIVATE -w -fexec-charset=UTF-8)
endforeach()
