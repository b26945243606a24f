#include "player/player.h"

#include "settings/settings.h"

// Run mode's set-up; the catalogue and the play loop are not built yet, so
// nothing is played after it.
void RunPlayer(const char*) {
    LoadSettings();
    ApplyCompositionSetting();
}
