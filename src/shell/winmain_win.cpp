// Entry point of veilo.exe: the application lives in the veilo_app library.
#include <windows.h>

#include "shell/app_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
  return veilo::RunVeilo(instance, commandLine, show);
}
