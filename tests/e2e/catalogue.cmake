# The catalogue and launcher probe: ScanFolder, ScanAll and LaunchSaver over
# the real Win32 platform, without the program's entry point. A console
# program, so that its output reaches the test. Also what scripts/bench-scan
# times.
file(GLOB CATALOGUE_PROBE_PLATFORM CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/win32/*.cpp)
list(FILTER CATALOGUE_PROBE_PLATFORM EXCLUDE REGEX "/winmain\\.cpp$")
add_executable(catalogue_probe ${CMAKE_CURRENT_LIST_DIR}/catalogue_probe.cpp
  ${CATALOGUE_PROBE_PLATFORM})
target_compile_options(catalogue_probe PRIVATE -Wall -Wextra ${WIN_COMPILE})
# Not stripped of its symbols like the product, but linked the same way.
target_link_options(catalogue_probe PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(catalogue_probe PRIVATE slumbermix_core
  comctl32 shell32 ole32 user32 gdi32 advapi32 kernel32)

# Its end-to-end tests, once the rig's test function is there (include this
# file after it is defined).
if(COMMAND slumbermix_e2e_test)
  list(APPEND E2E_ENVIRONMENT E2E_CATALOGUE_PROBE=$<TARGET_FILE:catalogue_probe>)
  slumbermix_e2e_test(catalogue.scan catalogue_scan_test.sh)
  slumbermix_e2e_test(launcher.launch launcher_test.sh)
endif()
