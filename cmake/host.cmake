# Host build: the core against the recording fake, under ASan and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(slumbermix_core PUBLIC ${SANITIZE})
target_link_options(slumbermix_core PUBLIC ${SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB FAKE_SOURCES CONFIGURE_DEPENDS tests/unit/fake/*.cpp)
file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*_test.cpp)
add_executable(unit_tests ${FAKE_SOURCES} ${UNIT_TESTS})
target_include_directories(unit_tests PRIVATE tests/unit)
target_link_libraries(unit_tests PRIVATE slumbermix_core GTest::gtest GTest::gtest_main)
gtest_discover_tests(unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)
