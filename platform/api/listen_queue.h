// A listening socket's queue of connections not yet accepted. An HTTP library that listens with a
// queue of five drops the connections a burst of clients opens beyond it, and each of those
// clients waits for its connection to be tried again, a second later.
#pragma once

#include <cstdint>

namespace platform {

// Lets the listening socket `socket` (a file descriptor) queue as many connections as the system
// allows; false when it is no listening socket.
bool WidenListenQueue(std::intptr_t socket);

}  // namespace platform
