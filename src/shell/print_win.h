#pragma once
// Printing: the print dialog and one page of the active picture (Ctrl+P), the
// page-setup dialog, and the printer's device mode and page margins, which
// stay in devmode.prt next to the program from one run to the next.
#include <windows.h>

#include "platform/handles_win.h"

namespace veilo {

struct App;
class DocumentWindow;

// At start-up, once the frame exists: the printer and margins of the last
// run. A missing or foreign file leaves the defaults (false).
bool LoadPrinterSettings(App& app);
// Writes devmode.prt while a device mode is held; whether it was written.
bool SavePrinterSettings(const App& app);
// At exit, after the message loop: saved, then let go.
void ReleasePrinterSettings(App& app);

// The print dialog over the held device mode; the chosen printer's context
// when the user confirmed it, none otherwise. The settings are saved either way.
OwnedDc ChoosePrinter(App& app, HWND owner);
// The page-setup command: margins in hundredths of a millimetre and the printer.
void PageSetup(App& app, HWND owner);
// The print command of a document window: its whole picture on one page.
void PrintDocument(App& app, DocumentWindow& window);

}  // namespace veilo
