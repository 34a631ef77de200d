// setup's one application object.
#include "setup/SetupApp.h"

CSetupApp theApp;
