#include "player/player.h"

// Run mode is not built yet: nothing is played.
void RunPlayer(const char*) {}
