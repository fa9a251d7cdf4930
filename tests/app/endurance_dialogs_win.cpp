#include "endurance_dialogs_win.h"

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <map>
#include <memory>

#include "platform/wide_win.h"
#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

// A step returning false keeps it for the next dialog, so one step answers
// however many dialogs a command opens.
ModalDriver::Step CancelEvery() {
  return [](HWND d) {
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    return false;
  };
}

// A click on a dialog's button, posted: what the button starts (saving, a
// further dialog) then runs in the dialog's own loop, where the driver's next
// tick can answer it, and not inside the step.
void PostClick(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// OK as offered, once per dialog; a dialog still up a while later refuses
// what it holds (a save dialog answering OK with a box, again and again) or
// is busy with it for too long, and is cancelled.
ModalDriver::Step AcceptEvery() {
  auto firstSeen = std::make_shared<std::map<HWND, ULONGLONG>>();
  return [firstSeen](HWND d) {
    const ULONGLONG now = GetTickCount64();
    const auto [seen, isNew] = firstSeen->emplace(d, now);
    if (isNew) {
      PostClick(d, IDOK);
    } else if (now - seen->second > 3000) {
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    }
    return false;
  };
}

}  // namespace

std::vector<ModalDriver::Step> DialogAnswers(const Action& a, const std::string& savePath) {
  switch (a.kind) {
    case ActionKind::kCancelDialog: return {CancelEvery()};
    case ActionKind::kCpMask: {
      std::wstring code;
      for (int32_t i = 0, v = a.value[1]; i < a.value[0]; ++i, v = v * 7 + 3) code += wchar_t(L'A' + (v & 0x7FFF) % 26);
      return {[code](HWND d) {
                if (!GetDlgItem(d, IDC_CP_EDIT)) return false;
                SetDlgItemTextW(d, IDC_CP_EDIT, code.c_str());
                PostClick(d, IDOK);
                return true;
              },
              AcceptEvery()};
    }
    case ActionKind::kSaveAs: {
      const std::wstring path = Wide(savePath);
      return {[path](HWND d) {
                const int field = GetDlgItem(d, cmb13) ? cmb13 : GetDlgItem(d, edt1) ? edt1 : 0;
                if (!field) return false;
                SendMessageW(d, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(path.c_str()));
                PostClick(d, IDOK);
                return true;
              },
              AcceptEvery()};
    }
    default: return {AcceptEvery()};
  }
}

}  // namespace veilo::testing
