// The marks a text object draws over a checked answer: 32 x 32 pixels, 16 colours, a
// red tick or cross on white, drawn with SRCAND so that the white leaves the text
// beneath. Shared by the programs' resource scripts (through AnswerMarks.rc) and the
// code that loads them, so this header holds only #defines.
#pragma once

#define IDB_TICK_MARK  202
#define IDB_CROSS_MARK 216
