// The game binary: a few options for this run, and the launcher's folder, which goes to WinMain.
#include "shell/game_main.h"

int main(int argc, char** argv) { return GameMain(argc, argv); }
