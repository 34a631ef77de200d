// The player's one application object.
#include "player/PlayerApp.h"
#include "model/PageClipFormats.h"

// The private clipboard and drag formats, registered before the application starts.
[[maybe_unused]] static const PageClipFormats& s_clipFormats = GetPageClipFormats();

CPlayerApp theApp;
