// Splitting a Windows command line into arguments, as the C runtime of Windows programs does.
#pragma once

#include <string>
#include <vector>

#include "platform/api/program_folders.h"

namespace platform {

// Blanks (spaces and tabs) separate arguments and double quotes group them. Backslashes are
// literal except before a quote: 2n backslashes and a quote give n backslashes and group, 2n+1
// give n backslashes and a literal quote. Inside quotes, two quotes give one literal quote.
std::vector<std::string> SplitCommandLine(const char* line);

// QuoteArgument, its inverse for one word, is in platform/api/program_folders.h.

}  // namespace platform
