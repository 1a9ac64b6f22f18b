// The programs of this family by their Windows names: the game starts "<folder>\Portico.exe" and
// the launcher ".\Stalkway\Stalkway.exe". Here each is the executable of that name, in lower case
// and without ".exe", installed or built beside the running program; the folder in the Windows
// name says where the program was looked for on Windows and is never looked at.
#pragma once

#include <string>

namespace platform {

// True for a name whose last component ends in ".exe", in any case.
bool IsProgramName(const char* windowsName);
// Its executable's name: the last component in lower case without ".exe"; empty for no program name.
std::string ProgramOf(const char* windowsName);
// The path of that program beside the running one, or empty when it is not there.
std::string ProgramBesideThisOne(const char* windowsName);

}  // namespace platform
