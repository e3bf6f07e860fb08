#pragma once
// Resource numbers of tavrel.exe, shared by tavrel.rc and the window code.
// Plain macros: the resource compiler's preprocessor reads this file too.
//
//   LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDI_TAVREL))
//   LoadImage(..., MAKEINTRESOURCE(IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)

// The program icon: 16, 24, 32, 48, 64 and 256 pixels. The lowest icon number
// is the one Explorer and the Start menu show.
#define IDI_TAVREL 1

// The dialog's logo, 24-bit bitmaps. The logo's place is 1305 x 705 twips:
// IDB_LOGO fits it at 96 DPI (87 x 47 pixels), IDB_LOGO_LARGE at 192 DPI
// (174 x 94 pixels). Draw the one closest in size to the scaled place and
// stretch it there; the large one shrinks cleanly for 120 and 144 DPI.
#define IDB_LOGO 101
#define IDB_LOGO_LARGE 102
