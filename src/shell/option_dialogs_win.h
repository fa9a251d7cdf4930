#pragma once
// The option dialogs of the masks: Q0 steps, RGB channels and exchange, and
// the CP code.
#include <windows.h>

#include <string>

namespace veilo {

struct App;
class DocumentWindow;

void ShowQ0Options(App& app, HWND owner);
void ShowRgbOptions(App& app, HWND owner);
// The CP code dialog; true with the accepted text when confirmed.
bool AskCpCode(App& app, DocumentWindow& window, std::string& code);

}  // namespace veilo
