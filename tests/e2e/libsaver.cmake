# The library-style test saver (libsaver/): a screen saver that behaves like
# one built with the usual screen saver library, its own checks, and the
# tests of run mode and of the settings dialog's Setting and Preview with
# it. Included by CMakeLists.txt after the rig.
add_executable(libsaver WIN32 libsaver/libsaver.cpp libsaver/libsaver.rc)
target_compile_options(libsaver PRIVATE -Wall -Wextra ${WIN_COMPILE})
target_link_options(libsaver PRIVATE ${WIN_LINK})

slumbermix_e2e_test(rig.libsaver libsaver/libsaver_test.sh DEPENDS e2e.startup.fresh_prefix)
slumbermix_e2e_test(dialog.libsaver libsaver/dialog_libsaver_test.sh
  DEPENDS e2e.startup.fresh_prefix)
slumbermix_e2e_test(player.libsaver libsaver/player_libsaver_test.sh TIMEOUT 240
  DEPENDS e2e.startup.fresh_prefix)
# The other helper programs they use are built in tests/e2e/dialog and
# tests/e2e/hostile.
foreach(test rig.libsaver dialog.libsaver player.libsaver)
  set_property(TEST e2e.${test} APPEND PROPERTY ENVIRONMENT
    E2E_LIBSAVER=$<TARGET_FILE:libsaver>
    E2E_DRIVER=$<TARGET_FILE:dialog_driver>
    E2E_HOSTILE_PARENT=$<TARGET_FILE:hostile_parent>)
endforeach()
