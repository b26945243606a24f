# Run mode under Wine: its tests, and the bare close-and-start program that
# scripts/bench-player measures the player's change-over against. Included
# by CMakeLists.txt after the rig.
add_executable(bare_changeover WIN32 bare_changeover.cpp)
target_compile_options(bare_changeover PRIVATE -Wall -Wextra ${WIN_COMPILE})
target_link_options(bare_changeover PRIVATE ${WIN_LINK})

slumbermix_e2e_test(player.run player_run_test.sh TIMEOUT 300 DEPENDS e2e.startup.fresh_prefix)
slumbermix_e2e_test(player.misbehaving player_misbehaving_test.sh TIMEOUT 240
  DEPENDS e2e.startup.fresh_prefix)
