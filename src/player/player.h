// Run mode: plays the found screen savers one after another.
#pragma once

// Returns when the user has ended the running saver (or nothing could be played).
void RunPlayer(const char* optionText);
