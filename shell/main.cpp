#include <windows.h>

#include "shell/pavra_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CpavraApp app;
    app.InitInstance();
    return app.ExitInstance();
}
