// The tune: sixteen bars of a country song in G at 120 beats a minute, a plucked melody doubled
// softly by a reed, a boom-chick of bass and strummed chords, and a shaker. Everything is mixed
// round a loop of exactly 32 seconds, so the last bar's tails sound under the first bar.
#include <array>
#include <vector>

#include "tools/assets/game_sounds.h"
#include "tools/assets/synthesis.h"

namespace assets {

namespace {

constexpr double kBeat = 0.5;
constexpr int kBars = 16;

struct Note {
    double beats;  // length
    int pitch;     // MIDI note; 0 rests
};

// One bar's melody each, four beats.
const std::vector<std::vector<Note>> kMelody = {
    {{1, 74}, {0.5, 71}, {0.5, 74}, {1, 79}, {1, 74}},      // G
    {{1, 76}, {0.5, 72}, {0.5, 76}, {1.5, 79}, {0.5, 76}},  // C
    {{1, 74}, {1, 71}, {1, 67}, {1, 71}},                   // G
    {{1, 69}, {0.5, 71}, {0.5, 69}, {1, 66}, {1, 69}},      // D
    {{1, 74}, {0.5, 71}, {0.5, 74}, {1, 79}, {1, 83}},      // G
    {{1, 81}, {0.5, 79}, {0.5, 76}, {1, 79}, {1, 76}},      // C
    {{1, 74}, {1, 78}, {1, 81}, {1, 78}},                   // D
    {{3, 79}, {1, 0}},                                      // G
    {{1, 71}, {1, 76}, {1, 79}, {1, 76}},                   // Em
    {{1, 72}, {0.5, 76}, {0.5, 79}, {1, 81}, {1, 79}},      // C
    {{1, 71}, {1, 74}, {1, 79}, {1, 74}},                   // G
    {{1, 69}, {1, 74}, {1.5, 78}, {0.5, 76}},               // D
    {{1, 74}, {0.5, 71}, {0.5, 74}, {1, 79}, {1, 74}},      // G
    {{1, 76}, {0.5, 79}, {0.5, 76}, {1, 72}, {1, 76}},      // C
    {{1, 74}, {1, 69}, {0.5, 71}, {0.5, 72}, {1, 69}},      // D
    {{2, 67}, {1, 71}, {1, 74}},                            // G, leading back to the start
};

struct Chord {
    int root;  // bass note
    int fifth;
    std::array<int, 3> triad;  // around middle C
};

const Chord kG{43, 50, {67, 71, 74}};
const Chord kC{48, 43, {64, 67, 72}};
const Chord kD{50, 45, {66, 69, 74}};
const Chord kEm{40, 47, {64, 67, 71}};
const std::array<Chord, kBars> kChords = {kG, kC, kG, kD, kG, kC, kD, kG, kEm, kC, kG, kD, kG, kC, kD, kG};

void AddMelody(SoundMix& mix) {
    std::uint64_t seed = 100;
    for (int bar = 0; bar < kBars; ++bar) {
        double beat = bar * 4;
        for (const Note& note : kMelody[bar]) {
            if (note.pitch != 0) {
                const double start = beat * kBeat;
                const double hz = NoteHz(note.pitch);
                mix.Add(Pluck(hz, 1.6, 0.55f, seed++), start, 0.55f, -0.25f);
                mix.Add(Reed(hz, note.beats * kBeat * 0.95, 5, 0.005f), start, 0.1f, 0.15f);
            }
            beat += note.beats;
        }
    }
}

void AddBand(SoundMix& mix) {
    std::uint64_t seed = 500;
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = kChords[bar];
        const double bar0 = bar * 4 * kBeat;
        mix.Add(Pluck(NoteHz(chord.root), 1.2, 0.3f, seed++), bar0, 0.7f, 0);
        mix.Add(Pluck(NoteHz(chord.fifth), 1.2, 0.3f, seed++), bar0 + 2 * kBeat, 0.6f, 0);
        for (double offbeat : {1.0, 3.0}) {
            for (int k = 0; k < 3; ++k)  // a quick downward strum
                mix.Add(Pluck(NoteHz(chord.triad[k]), 0.5, 0.7f, seed++), bar0 + offbeat * kBeat + 0.012 * k, 0.18f,
                        0.45f);
        }
        for (int eighth = 0; eighth < 8; ++eighth)
            mix.Add(Hiss(0.07, 6000, 0.02, seed++), bar0 + eighth * kBeat / 2, eighth % 2 == 1 ? 0.1f : 0.05f, 0.3f);
    }
}

}  // namespace

Sound MakeMusic() {
    SoundMix mix(2, kBars * 4 * kBeat, true);
    AddMelody(mix);
    AddBand(mix);
    mix.Echo(0.375, 0.3f, 0.35f);
    return mix.Finish(0.7f);
}

}  // namespace assets
