// "About": the game's own page, laid out beside its data, opened by the desktop.
#pragma once

// Hands the page to the desktop's opener. Where nothing opens it, the page's path goes to the
// standard error and the debug log, for the player to open by hand, and the game goes on.
void OpenAboutPage();
