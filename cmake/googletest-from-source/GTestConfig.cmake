# find_package(GTest) for cross builds: GoogleTest built from Debian's sources, since the packaged
# libraries are for the build machine only. GoogleTest's own build names its targets GTest::gtest,
# GTest::gtest_main, GTest::gmock and GTest::gmock_main, as the package does.
include_guard(GLOBAL)

set(ZARVEX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${ZARVEX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Third-party code: the editor's strict warnings are not for it. The cross-compiler's Win32 thread
# model has no std::mutex, on which GoogleTest builds the one class of its own that needs it.
foreach(target gtest gtest_main gmock gmock_main)
  target_compile_options(${target} PRIVATE -w)
  target_compile_options(${target} PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/Win32Notification.h)
endforeach()
target_sources(gtest PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Win32Notification.cpp)
target_sources(gmock PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Win32Notification.cpp)
