# The catalogue and launcher probe: ScanFolder, ScanAll and LaunchSaver over
# the real Win32 platform (PROBE_PLATFORM_SOURCES: no entry point of the
# program), as a console program whose output reaches the test. Included by
# CMakeLists.txt after the rig.
slumbermix_test_program(catalogue_probe catalogue_probe.cpp ${PROBE_PLATFORM_SOURCES}
  LIBS ${PROBE_LIBS})

set(probe E2E_CATALOGUE_PROBE=$<TARGET_FILE:catalogue_probe>)
slumbermix_e2e_test(catalogue.scan catalogue_scan_test.sh ENV ${probe})
slumbermix_e2e_test(launcher.launch launcher_test.sh ENV ${probe})
