// The launcher binary, `portico`. The game starts it in the launcher's folder with one word on the
// command line, which says who started it and changes nothing.
#include "host/command_line.h"
#include "host/program_start.h"
#include "launcher/portico_main.h"

int main(int argc, char** argv) {
    host::CommandLine line;
    if (const auto exitCode = host::ReadCommandLine(PorticoProgram(), argc, argv, &line)) return *exitCode;
    return host::ExitStatus(PorticoMain(nullptr, nullptr, line.words.data(), SW_SHOWNORMAL));
}
