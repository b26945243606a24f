# Run mode under Wine. Included by CMakeLists.txt after the rig.

slumbermix_e2e_test(player.run player_run_test.sh TIMEOUT 420)
slumbermix_e2e_test(player.misbehaving player_misbehaving_test.sh TIMEOUT 360)
