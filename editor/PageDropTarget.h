// CPageDropTarget: the OLE drop target the page view owns and registers for its window.
// The framework's forwarding hands the drag to the view's own drag handlers.
#pragma once

#include "framework/ui/OleDropTarget.h"

class CPageDropTarget : public COleDropTarget {};
