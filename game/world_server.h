// The world hall of fame's server the game sends its runs to and the launcher reads tables from:
// the command line's --server, otherwise setup.ini's "server" key of the section "world",
// otherwise the server the program was served by (the browser's page, from a world hall of fame);
// none by default, and then nothing leaves the machine.
#pragma once

#include <string>

// --server URL, as the game's or the runner's command line gave it; empty when not given.
extern std::string g_worldServerChoice;

// The server's address, or empty for none.
std::string WorldServer();
