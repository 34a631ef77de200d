// The player's one application object.
#include "player/PlayerApp.h"

CPlayerApp theApp;
