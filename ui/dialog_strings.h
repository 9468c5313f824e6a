/* Texts of the main dialog itself, shared by the Windows resource script and the
   C++ front ends (so plain preprocessor definitions only). */
#ifndef QUORRAN_UI_DIALOG_STRINGS_H
#define QUORRAN_UI_DIALOG_STRINGS_H

#define QUORRAN_IDD_MAIN 101
#define QUORRAN_WINDOW_ICON 102 /* the stopwatch of the title bar and the program file */
#define QUORRAN_DIALOG_WIDTH 280
#define QUORRAN_DIALOG_HEIGHT 220
#define QUORRAN_DIALOG_CAPTION "Quorran Finish Time Calculator, by the Quorran team"
#define QUORRAN_DIALOG_FONT_POINTS 8
#define QUORRAN_DIALOG_FONT "MS Sans Serif"

#endif
