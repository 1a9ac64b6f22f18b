// The launcher binary, `portico`. The game starts it in the launcher's folder with one word on the
// command line, which says who started it and changes nothing.
#include "launcher/portico_main.h"

int main(int argc, char** argv) { return PorticoCommand(argc, argv); }
