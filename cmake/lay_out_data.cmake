# Lays out the game's data folder: creates what is missing and never touches a file that exists,
# so rebuilding keeps a player's hall of fame, winners' file and settings.
file(MAKE_DIRECTORY "${DATA_DIR}")
if(NOT EXISTS "${DATA_DIR}/setup.ini")
  file(WRITE "${DATA_DIR}/setup.ini" "[setup]\r\nfullscreen=0\r\n")
endif()
