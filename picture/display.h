// The display set-up, once at start-up: its colour depth decides whether the
// show draws against the program's palette and whether pictures are dithered.
#pragma once

void InitDisplay();
