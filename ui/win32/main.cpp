// quorran.exe: the calculator's one dialog; the process ends when it closes.
#include <windows.h>

#include "ui/win32/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    quorran::run_main_dialog(instance);
    return 0;
}
