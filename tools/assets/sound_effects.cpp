#include "tools/assets/game_sounds.h"
#include "tools/assets/synthesis.h"

namespace assets {

// The peaks leave headroom: effects play at full volume over the music and over each other, and
// the mixer saturates what goes beyond full scale. With these the loudest moment of the perfect
// game (a move every three frames, its bells piling up over the blips and the music) stays below
// full scale, and so does the imperfect game's (a dead end's thud among the bells).

Sound MakeBell() {
    SoundMix mix(1, 0.55, false);
    mix.Add(Bell(NoteHz(88), 0.55, 1), 0, 1.0f);     // E7
    mix.Add(Bell(NoteHz(93), 0.45, 2), 0.07, 0.7f);  // A7, a moment later: a sparkle
    // Quiet for a bell: quick moves ring a dozen of them at once, each still sounding.
    return mix.Finish(0.15f);
}

Sound MakeCongrats() {
    SoundMix mix(1, 1.5, false);
    const int rising[] = {72, 76, 79};  // C, E, G
    for (int i = 0; i < 3; ++i) mix.Add(Reed(NoteHz(rising[i]), 0.2, 8, 0.0f), 0.11 * i, 0.8f);
    for (int note : {72, 76, 79, 84}) mix.Add(Reed(NoteHz(note), 1.05, 8, 0.006f), 0.36, 0.45f);
    mix.Add(Bell(NoteHz(96), 0.8, 3), 0.36, 0.25f);
    mix.Echo(0.11, 0.25f, 0.6f);
    return mix.Finish(0.44f);
}

Sound MakeLegal() {
    SoundMix mix(1, 0.6, false);
    mix.Add(Bell(NoteHz(79), 0.45, 4), 0, 0.8f);
    mix.Add(Bell(NoteHz(84), 0.5, 5), 0.12, 0.8f);
    return mix.Finish(0.33f);
}

Sound MakeNegative() {
    SoundMix mix(1, 0.26, false);
    mix.Add(Buzz(98, 0.26), 0, 1.0f);
    return mix.Finish(0.3f);
}

Sound MakePositive() {
    SoundMix mix(1, 0.07, false);
    mix.Add(Glide(900, 1400, 0.07, 0.018), 0, 1.0f);
    mix.Add(Hiss(0.01, 4000, 0.003, 6), 0, 0.3f);
    return mix.Finish(0.25f);
}

Sound MakeNomove() {
    SoundMix mix(1, 0.24, false);
    mix.Add(Glide(82, 44, 0.24, 0.06), 0, 1.0f);
    mix.Add(Hiss(0.08, 500, 0.02, 7), 0, 0.5f);
    return mix.Finish(0.35f);
}

}  // namespace assets
