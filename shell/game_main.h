// The game as a program: its command line, then WinMain. The game binary's main is this alone;
// the page's program, which holds the launcher too, calls it each time the game is started.
#pragma once

// The process's exit status for the run.
int GameMain(int argc, char** argv);
