// The editor's one application object. Kept out of the editor library, so that tests
// that link the library make applications of their own.
#include "editor/DrawApp.h"
#include "model/PageClipFormats.h"

// The private clipboard and drag formats, registered before the application starts.
[[maybe_unused]] static const PageClipFormats& s_clipFormats = GetPageClipFormats();

CDrawApp theApp;
