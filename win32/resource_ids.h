// Resource identifiers of lumivar.exe, shared by lumivar.rc and the code.
// Plain #defines: the resource compiler reads this file too.
#pragma once

#define IDI_LUMIVAR 1
#define IDR_FONT_SONG 201
#define IDR_FONT_HEI 202
#define IDB_PORTRAIT 203
