# The sample screen savers under Wine (samples/): /s, their window, and each
# way they end. sample_host looks at them from the outside.
slumbermix_test_program(sample_host sample_host.cpp LIBS user32 gdi32 kernel32)

slumbermix_e2e_test(samples samples_test.sh TIMEOUT 300
  ENV E2E_SAMPLE_HOST=$<TARGET_FILE:sample_host> E2E_SAMPLES_DIR=${CMAKE_BINARY_DIR}/samples)
