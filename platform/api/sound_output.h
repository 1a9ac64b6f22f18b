// What the sound library asks of the output beyond the sound device's own calls.
#pragma once

namespace platform {

// Whether what is played now can be heard. Only a browser says no, until the player's first click
// or key lets the page play sound.
bool SoundCanBeHeard();

}  // namespace platform
