#pragma once
// The driver's looking modes: waiting for windows of a running Veilo and reading texts.
namespace veilo::gui {

int RunWait(int argc, wchar_t** argv);  // veilo-gui-driver wait ...
int RunText(int argc, wchar_t** argv);  // veilo-gui-driver text ...

}  // namespace veilo::gui
