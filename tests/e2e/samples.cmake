# The sample screen savers under Wine (samples/): /s, their window, and each
# way they end. sample_host looks at them from the outside.
add_executable(sample_host sample_host.cpp)
target_compile_options(sample_host PRIVATE -Wall -Wextra ${WIN_COMPILE})
target_link_options(sample_host PRIVATE ${WIN_LINK})
target_link_libraries(sample_host PRIVATE user32 gdi32 kernel32)

slumbermix_e2e_test(samples samples_test.sh TIMEOUT 300 DEPENDS e2e.startup.fresh_prefix)
set_property(TEST e2e.samples APPEND PROPERTY ENVIRONMENT
  E2E_SAMPLE_HOST=$<TARGET_FILE:sample_host>
  E2E_SAMPLES_DIR=${CMAKE_BINARY_DIR}/samples)
