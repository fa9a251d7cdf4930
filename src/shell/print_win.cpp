// The print and page-setup commands over the common dialogs, the spooler and
// GDI. The held device mode is the wide form the W dialogs hand out (DEVMODEW),
// and devmode.prt keeps it as such; a file holding the narrow form fails the
// size check of the wide layout when read and is ignored, so the dialogs are
// never handed a block they would misread.
#include "shell/print_win.h"

#include <commdlg.h>
#include <winspool.h>

#include <cstring>
#include <cwchar>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/wide_win.h"
#include "shell/app_win.h"
#include "shell/doc_window_win.h"
#include "tools/devmode_file.h"
#include "tools/print_layout.h"
#include "tools/print_settings.h"

namespace veilo {

namespace {

struct PrinterTraits {
  static void Release(HANDLE h) { ClosePrinter(h); }
};
using PrinterHandle = UniqueHandle<HANDLE, PrinterTraits>;

// The device name a DEVMODEW carries itself (for a dialog that gave no DEVNAMES).
std::string DevModeDevice(std::span<const uint8_t> devMode) {
  if (devMode.size() < sizeof(DEVMODEW::dmDeviceName)) return {};
  const auto* name = reinterpret_cast<const wchar_t*>(devMode.data());
  return Utf8(std::wstring_view(name, wcsnlen(name, CCHDEVICENAME)));
}

// The size of the printer's device mode as its driver reports it; -1 when the
// printer cannot be opened or the driver does not say.
int32_t DriverDevModeSize(const std::string& printer) {
  std::wstring name = Wide(printer);
  HANDLE opened = nullptr;
  if (name.empty() || !OpenPrinterW(name.data(), &opened, nullptr)) return -1;
  const PrinterHandle closer(opened);
  const LONG size = DocumentPropertiesW(nullptr, opened, name.data(), nullptr, nullptr, 0);
  return size < 0 ? -1 : static_cast<int32_t>(size);
}

// What a dialog left in its device-mode and device-names members; owned from
// the moment the dialog returns, whether or not it is the block passed in.
struct DialogBlocks {
  GlobalBlock devMode, devNames;
  std::string printer;  // the device the dialog names
  DialogDevMode kind = DialogDevMode::kNone;
};

DialogBlocks TakeDialogBlocks(const PrinterSettings& held, HGLOBAL passed, HGLOBAL devMode, HGLOBAL devNames) {
  DialogBlocks blocks{GlobalBlock(devMode), GlobalBlock(devNames), {}, DialogDevMode::kNone};
  blocks.printer = DevNamesDevice(GlobalBytes(devNames));
  blocks.kind = ClassifyDialogDevMode(devMode != nullptr, !held.devMode.empty(), devMode == passed,
                                      held.printerName, blocks.printer);
  return blocks;
}

void ApplyDevModeUpdate(PrinterSettings& held, const DevModeUpdate& update, const DialogBlocks& blocks,
                        int32_t fallbackSize) {
  if (!update.take && !update.keepEdits) return;
  const std::vector<uint8_t> bytes = GlobalBytes(blocks.devMode.get());
  if (bytes.empty()) return;
  if (update.take) {
    std::string printer = blocks.printer.empty() ? DevModeDevice(bytes) : blocks.printer;
    const int32_t reported = DriverDevModeSize(printer);
    TakeDialogDevMode(held, std::move(printer), bytes, reported, fallbackSize);
  } else {
    const auto size = static_cast<int32_t>(held.devMode.size());
    held.devMode = HeldDevModeCopy(bytes, size, size);
  }
}

// One document of one page. A job that does not get as far as its page is
// abandoned, and so is one that is abandoned on purpose: nothing comes out.
class PrintJob {
 public:
  PrintJob(HDC dc, const wchar_t* name) : dc_(dc) {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name;
    started_ = StartDocW(dc_, &info) > 0;
    if (started_) pageStarted_ = StartPage(dc_) > 0;
  }
  ~PrintJob() {
    if (!started_) return;
    if (!pageStarted_ || abandoned_) {
      AbortDoc(dc_);
      return;
    }
    EndPage(dc_);
    EndDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  explicit operator bool() const { return started_ && pageStarted_; }
  void Abandon() { abandoned_ = true; }

 private:
  HDC dc_;
  bool started_ = false, pageStarted_ = false, abandoned_ = false;
};

PrinterPage PageOf(HDC dc) {
  return {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, HORZSIZE)};
}

}  // namespace

bool LoadPrinterSettings(App& app) {
  return LoadPrinterSettings(app.paths.printerSettingsFile, app.printer, DevModeLayout::kWide);
}

bool SavePrinterSettings(const App& app) {
  return SavePrinterSettings(app.paths.printerSettingsFile, app.printer);
}

void ReleasePrinterSettings(App& app) {
  SavePrinterSettings(app);
  app.printer.devMode.clear();
  app.printer.devMode.shrink_to_fit();
}

OwnedDc ChoosePrinter(App& app, HWND owner) {
  PrinterSettings& held = app.printer;
  GlobalBlock passed = GlobalCopy(held.devMode);
  const HGLOBAL passedHandle = passed.get();
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = passed.release();
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION;
  const bool confirmed = PrintDlgW(&dialog) != FALSE;
  OwnedDc dc(dialog.hDC);
  const DialogBlocks blocks = TakeDialogBlocks(held, passedHandle, dialog.hDevMode, dialog.hDevNames);
  ApplyDevModeUpdate(held, AfterPrintDialog(confirmed, blocks.kind), blocks, kPrintDialogDevModeSize);
  SavePrinterSettings(app);
  if (!confirmed) return {};
  return dc;
}

void PageSetup(App& app, HWND owner) {
  PrinterSettings& held = app.printer;
  GlobalBlock passed = GlobalCopy(held.devMode);
  const HGLOBAL passedHandle = passed.get();
  PAGESETUPDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = passed.release();
  // Margins in hundredths of a millimetre whatever the user's measurement system.
  dialog.Flags = PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
  dialog.rtMargin = {held.margins.left, held.margins.top, held.margins.right, held.margins.bottom};
  const bool confirmed = PageSetupDlgW(&dialog) != FALSE;
  const DialogBlocks blocks = TakeDialogBlocks(held, passedHandle, dialog.hDevMode, dialog.hDevNames);
  if (!confirmed) return;
  const PageMargins chosen{dialog.rtMargin.left, dialog.rtMargin.top, dialog.rtMargin.right,
                           dialog.rtMargin.bottom};
  const PageSetupOutcome outcome =
      DecidePageSetup(true, blocks.kind == DialogDevMode::kOther, held.margins, chosen);
  ApplyDevModeUpdate(held, {outcome.replaceDevMode, blocks.kind == DialogDevMode::kHeldEdited}, blocks,
                     kPageSetupDevModeSize);
  if (outcome.storeMargins) held.margins = chosen;
  if (outcome.save) SavePrinterSettings(app);
}

void PrintDocument(App& app, DocumentWindow& window) {
  if (!window.doc().HasPicture()) return;
  const HWND hwnd = window.hwnd();
  const OwnedDc dc = ChoosePrinter(app, GetAncestor(hwnd, GA_ROOT));
  if (!dc) return;
  // The dialog ran a loop of its own: the window may have gone meanwhile.
  const DocumentWindow* still = app.FindDocument(hwnd);
  if (!still || !still->doc().HasPicture()) return;
  const ImageDoc& doc = still->doc();
  const std::optional<PrintPlacement> placement = PlacePrint(PageOf(dc.get()), app.printer.margins, doc.width,
                                                             doc.height);
  if (!placement) return;
  const std::wstring jobName = Wide(kPrintJobName);
  PrintJob job(dc.get(), jobName.c_str());
  if (!job) return;
  const WaitCursorGuard wait;
  PackedDib turned;
  if (placement->turn) {
    turned = TurnedForPrint(doc.dib);
    if (turned.empty()) {
      job.Abandon();
      return;
    }
  }
  const PackedDib& picture = placement->turn ? turned : doc.dib;
  const DibHeader header = ReadDibHeader(picture.data());
  const FitRect& out = placement->output;
  SetStretchBltMode(dc.get(), COLORONCOLOR);
  StretchDIBits(dc.get(), out.x, out.y, out.width, out.height, 0, 0, static_cast<int>(header.width),
                static_cast<int>(header.height), DibPixelStart(picture.data()),
                reinterpret_cast<const BITMAPINFO*>(picture.data()), DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace veilo
