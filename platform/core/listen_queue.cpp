#include "platform/api/listen_queue.h"

#include <sys/socket.h>

namespace platform {

// Listening again on a listening socket only sets its queue's length.
bool WidenListenQueue(std::intptr_t socket) { return ::listen(static_cast<int>(socket), SOMAXCONN) == 0; }

}  // namespace platform
