// The SDL audio device behind the sound device: 16-bit stereo at 44100 frames a second with a
// short device buffer, SDL converting to whatever the hardware takes.
#pragma once

#include <SDL.h>

#include "platform/core/backend.h"

namespace platform::sdl {

class Audio {
public:
    // False when the system has no audio output or it cannot be opened.
    bool Open(AudioSource* source, AudioDeviceInfo* info);
    bool Start();
    void Stop();
    void Close();

private:
    static void Callback(void* user, Uint8* stream, int bytes);

    SDL_AudioDeviceID device_ = 0;
    AudioSource* source_ = nullptr;
};

}  // namespace platform::sdl
