// The game's sounds, synthesised: six short effects (mono) and the looping tune (stereo), all
// 16-bit at 22050 samples a second.
#pragma once

#include "tools/assets/file_writers.h"

namespace assets {

Sound MakeBell();      // an item collected: a bright, short chime
Sound MakeCongrats();  // the exit reached: a short fanfare
Sound MakeLegal();     // loaded by the game but never asked for: a soft two-note chime
Sound MakeNegative();  // a direction that is not open: a low, short buzz
Sound MakePositive();  // a move made: a soft blip
Sound MakeNomove();    // a move that ends at a dead end: a dull thud
// About half a minute of a country tune whose end flows into its start.
Sound MakeMusic();

}  // namespace assets
