# The catalogue and launcher probe: ScanFolder, ScanAll and LaunchSaver over
# the real Win32 platform (PROBE_PLATFORM_SOURCES: no entry point of the
# program), as a console program whose output reaches the test. It is also
# what scripts/bench-scan times. Included by CMakeLists.txt after the rig.
add_executable(catalogue_probe catalogue_probe.cpp ${PROBE_PLATFORM_SOURCES})
target_compile_options(catalogue_probe PRIVATE -Wall -Wextra ${WIN_COMPILE})
target_link_options(catalogue_probe PRIVATE ${WIN_LINK})
target_link_libraries(catalogue_probe PRIVATE slumbermix_core
  comctl32 shell32 ole32 user32 gdi32 advapi32 kernel32)

list(APPEND E2E_ENVIRONMENT E2E_CATALOGUE_PROBE=$<TARGET_FILE:catalogue_probe>)
slumbermix_e2e_test(catalogue.scan catalogue_scan_test.sh DEPENDS e2e.startup.fresh_prefix)
slumbermix_e2e_test(launcher.launch launcher_test.sh DEPENDS e2e.startup.fresh_prefix)
