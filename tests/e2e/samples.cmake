# The sample screen savers under Wine (samples/): /s, their window, and each
# way they end. preview_parent (preview/) looks at them from the outside.
slumbermix_e2e_test(samples samples_test.sh TIMEOUT 300
  ENV E2E_SAMPLES_DIR=${CMAKE_BINARY_DIR}/samples)
