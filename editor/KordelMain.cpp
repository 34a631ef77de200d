// The editor's one application object. Kept out of the editor library, so that tests
// that link the library make applications of their own.
#include "editor/DrawApp.h"

CDrawApp theApp;
