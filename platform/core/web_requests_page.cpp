// In the browser the program has no sockets of its own: the page sends runs to the server it was
// loaded from, and every request here finds no answer.
#include "platform/api/web_requests.h"

namespace platform {

bool WebRequestsPossible() { return false; }

WebReply WebPostJson(const std::string&, const std::string&, const std::string&, int) { return {}; }

WebReply WebGet(const std::string&, const std::string&, int) { return {}; }

}  // namespace platform
