// Emscripten's C library computes rand() otherwise than the desktop's; this build takes glibc's
// sequence instead (c_random.h), so that a seed gives the same game, and the same pixels, in the
// browser. Only the browser build compiles this file.
#include <mutex>

#include "platform/core/c_random.h"

namespace {

std::mutex& RandomMutex() {
    static std::mutex mutex;
    return mutex;
}

platform::CRandom& Generator() {
    static platform::CRandom generator;
    return generator;
}

}  // namespace

extern "C" {

void srand(unsigned seed) {
    std::lock_guard lock(RandomMutex());
    Generator().Seed(seed);
}

int rand() {
    std::lock_guard lock(RandomMutex());
    return Generator().Next();
}

}  // extern "C"
