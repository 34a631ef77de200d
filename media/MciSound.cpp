#include "media/MciSound.h"

MCIERROR CMciSound::Open(const char* element, BOOL shareable) { return OpenFile(element, 1, shareable); }
