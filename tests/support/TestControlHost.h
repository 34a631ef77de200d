// The tests' side of the test control (tests/controls): registers it per user in the
// tree's Wine prefix, and steers and reads it through its exported functions.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/controls/TestControlIds.h"

namespace testcontrol {

// Registers the control under CLSID_TestControl and loads it; false when that fails.
bool Register();
// Forgets the log, the answers, the failures and the events to fire on calls.
void Reset();
// Everything recorded since the last Reset, one entry a line.
std::vector<std::string> Log();
// Only the dispatch calls: "put 102 BSTR c:\a.swf", "call 112", "get 260".
std::vector<std::string> Calls();
// A property get of dispid answers value (VT_I4).
void SetAnswer(DISPID dispid, long value);
// Calls of dispid fail with DISP_E_MEMBERNOTFOUND.
void FailCall(DISPID dispid);
// A call of dispid fires the event (no arguments) before it returns.
void FireOnCall(DISPID call, DISPID event);
// In-place activation fails.
void FailActivation(bool fail);
// Fires the event on the newest control with 32-bit numbers as arguments.
void Fire(DISPID event, std::initializer_list<long> numbers = {});
// Fires the event with a text and a number.
void FireText(DISPID event, const wchar_t* text, long number);
// Controls alive in this process.
LONG Live();
// The newest control's window.
HWND Window();

}  // namespace testcontrol
