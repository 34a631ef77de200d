// CMciSound: a MIDI or wave sound file played through the multimedia command interface.
#pragma once

#include "media/MciDevice.h"

class CMciSound : public CMciDevice {
 public:
  // Opens the file as a MIDI sequencer.
  MCIERROR Open(const char* element, BOOL shareable = FALSE) override;
};
