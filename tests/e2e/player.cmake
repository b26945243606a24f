# Run mode under Wine: its tests, and the bare close-and-start program that
# scripts/bench-player measures the player's change-over against. Included
# by CMakeLists.txt after the rig.
slumbermix_test_program(bare_changeover WIN32 bare_changeover.cpp)

slumbermix_e2e_test(player.run player_run_test.sh TIMEOUT 420)
slumbermix_e2e_test(player.misbehaving player_misbehaving_test.sh TIMEOUT 360)
