// The endurance run: one application driven through thousands of seeded,
// random but valid user actions over every picture of the test corpora,
// damaged ones included. It must not crash or hang (a watchdog ends a stalled
// run with the seed and the last actions), every document opened from a file
// must come back to that file's pixels through All-undo, every file it saved
// must be readable by veilo-cli, and once every document is closed the GDI
// objects, windows and private memory must be back near where they started.
//
// It runs only when asked: VEILO_ENDURANCE_ACTIONS and/or VEILO_ENDURANCE_SECONDS
// bound it (whichever ends first), VEILO_ENDURANCE_SEED picks the run (1).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "app_fixture_win.h"
#include "cli_runner_win.h"
#include "endurance_dialogs_win.h"
#include "endurance_actions.h"
#include "formats/image_dispatch.h"
#include "modal_driver_win.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "resource_counts_win.h"
#include "endurance_watchdog_win.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

// Bounds of what the run may keep once every document is closed: heap
// fragmentation and Wine's own caches make exact equality unreasonable.
constexpr long kGdiTolerance = 16;
constexpr size_t kMemoryTolerance = size_t{64} << 20;
// The program's own allocations come back much closer: what stays is the
// test's own record of the saved files and the heap's bookkeeping.
constexpr size_t kCrtHeapTolerance = size_t{1} << 20;
// Pictures above this many pixels are closed at once: they would slow every later action.
constexpr int64_t kLargestPicture = 3'000'000;
constexpr uintmax_t kLargestFile = 300'000;
// What the warm-up, the closing checks and the read-back may take beyond the
// random actions' own time before the watchdog calls the run hung.
constexpr ULONGLONG kMarginSeconds = 90;

uint32_t EnvNumber(const char* name, uint32_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

struct Origin {
  std::string path;
  bool savedOver = false;  // the window's picture was written to a file since: All-undo proves nothing then
};

class EnduranceTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    actions_ = EnvNumber("VEILO_ENDURANCE_ACTIONS", 0);
    seconds_ = EnvNumber("VEILO_ENDURANCE_SECONDS", 0);
    seed_ = EnvNumber("VEILO_ENDURANCE_SEED", 1);
    if (!actions_ && !seconds_) GTEST_SKIP() << "set VEILO_ENDURANCE_ACTIONS or VEILO_ENDURANCE_SECONDS to run it";
    if (!actions_) actions_ = UINT32_MAX;
    if (!seconds_) seconds_ = UINT32_MAX / 1000;
    CopyCorpus();
    std::filesystem::create_directories(std::filesystem::path(Wide(folder_.Path("saved"))));
    Start();
    MoveWindow(frame(), 0, 0, 1000, 740, TRUE);
    app().options.saveDir = folder_.Path("saved") + "\\";
    Pump();
  }
  // A failure that ended the run early (an exception the test framework
  // caught, a fatal assertion) still names the seed and the last actions; the
  // watchdog stays on while the application shuts down.
  void TearDown() override {
    if (watchdog_ && HasFailure()) std::fprintf(stderr, "endurance: FAILED; %s", watchdog_->Recent().c_str());
    if (watchdog_) watchdog_->Begin(0, "shut the application down");
    AppTest::TearDown();
    watchdog_.reset();
  }

  // The corpora are copied, a folder per source folder, so that saving over a
  // file and stepping through a folder never touch the originals.
  void CopyCorpus() {
    const std::vector<std::string> sources = CorpusFiles({TestDataPath(""), SharedDataPath("")}, kLargestFile);
    std::map<std::string, size_t> folders;
    for (const std::string& source : sources) {
      const std::filesystem::path from(Wide(source));
      const std::wstring parent = from.parent_path().wstring();
      const size_t index = folders.emplace(Utf8(parent), folders.size()).first->second;
      const std::string to = folder_.Path("corpus/" + std::to_string(index) + "/" + Utf8(from.filename().wstring()));
      std::error_code error;
      std::filesystem::create_directories(std::filesystem::path(Wide(to)).parent_path(), error);
      std::filesystem::copy_file(from, std::filesystem::path(Wide(to)), error);
      if (!error) corpus_.push_back(to);
    }
  }

  EnduranceState State() {
    EnduranceState s;
    s.ui = app().frame->Snapshot();
    s.documentCount = static_cast<int32_t>(Documents().size());
    const DocumentWindow* active = Active();
    s.activeHasFile = active && !active->doc().path.empty();
    return s;
  }

  // Runs one action with its dialogs answered; false when the run cannot go on.
  bool Run(const Action& a, size_t index) {
    watchdog_->Begin(index, a.Describe() + Context());
    std::string savePath;
    if (a.kind == ActionKind::kSaveAs)
      savePath = folder_.Path("saved") + "\\saved-" + std::to_string(++saves_) + "." + kSaveTypes[a.value[0]];
    std::vector<ModalDriver::Step> steps = DialogAnswers(a, savePath);
    bool timedOut = false;
    {
      ModalDriver driver(std::move(steps), 30000);
      Carry(a);
      timedOut = driver.TimedOut();
    }
    if (timedOut) ADD_FAILURE() << "a dialog or command did not end within 30 s: " << a.Describe() << "\n" << watchdog_->Recent();
    if (!HasApp() || !IsWindow(frame())) {
      ADD_FAILURE() << "the frame went away after " << a.Describe() << "\n" << watchdog_->Recent();
      return false;
    }
    if (ActiveDialogBox()) {
      ADD_FAILURE() << "a dialog stayed open after " << a.Describe() << "\n" << watchdog_->Recent();
      return false;
    }
    const size_t windows = Documents().size();
    if (windows != app().documents.size()) {
      ADD_FAILURE() << windows << " document windows but " << app().documents.size() << " documents after "
                    << a.Describe() << "\n" << watchdog_->Recent();
      return false;
    }
    return true;
  }

  // " (3 open, active 'name' 64x48 at 100 %, 2 undo)" for the log.
  std::string Context() {
    DocumentWindow* active = Active();
    if (!active) return " (no document)";
    const ImageDoc& d = active->doc();
    return " (" + std::to_string(Documents().size()) + " open, active '" + d.title + "' " + std::to_string(d.width) +
           "x" + std::to_string(d.height) + " at " + std::to_string(d.zoomPercent) + " %, " +
           std::to_string(d.undoCount()) + " undo)";
  }

  void Carry(const Action& a) {
    DocumentWindow* active = Active();
    const HWND doc = active ? active->hwnd() : nullptr;
    switch (a.kind) {
      case ActionKind::kOpenFile: OpenFromCorpus(corpus_[static_cast<size_t>(a.value[0])]); break;
      case ActionKind::kCloseDocument: CheckAndClose(active); break;
      case ActionKind::kActivateDocument: MDIActivate(Documents()[static_cast<size_t>(a.value[0])]); break;
      case ActionKind::kSelectArea: {
        RECT client{};
        GetClientRect(doc, &client);
        const auto at = [](int32_t thousandths, LONG size) { return thousandths * size / 1000; };
        const int x1 = at(a.value[0], client.right), y1 = at(a.value[1], client.bottom);
        const int x2 = at(a.value[2], client.right), y2 = at(a.value[3], client.bottom);
        SendMessageW(doc, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
        SendMessageW(doc, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((x1 + x2) / 2, (y1 + y2) / 2));
        SendMessageW(doc, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y2));
        SendMessageW(doc, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
        Pump();
        break;
      }
      case ActionKind::kCommand:
      case ActionKind::kCancelDialog:
      case ActionKind::kAcceptDialog:
        if (a.command == cmd::kSave && active) MarkSaved(active->doc().path);
        Command(a.command);
        break;
      case ActionKind::kCpMask: Command(cmd::kCpMask); break;
      case ActionKind::kSaveAs: {
        const HWND saving = doc;
        Command(cmd::kSaveAs);
        if (DocumentWindow* still = app().FindDocument(saving); still && !still->doc().path.empty() &&
                                                                 still->doc().path.find("saved-") != std::string::npos) {
          MarkSaved(still->doc().path);
          origins_[saving].savedOver = true;
        }
        break;
      }
      case ActionKind::kScroll:
        SendMessageW(doc, a.value[0] ? WM_VSCROLL : WM_HSCROLL, static_cast<WPARAM>(a.value[1]), 0);
        Pump();
        break;
      case ActionKind::kWheel: {
        RECT r{};
        GetWindowRect(doc, &r);
        SendMessageW(doc, WM_MOUSEWHEEL, MAKEWPARAM(0, a.value[0] ? WHEEL_DELTA : -WHEEL_DELTA),
                     MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        Pump();
        break;
      }
      case ActionKind::kStepFolder: {
        const std::string before = active->doc().path;
        SetFocus(doc);
        Key(VK_SPACE, a.value[0] != 0, a.value[1] != 0);
        if (DocumentWindow* still = app().FindDocument(doc); still && still->doc().path != before)
          origins_[doc] = {still->doc().path, false};
        break;
      }
    }
  }

  void OpenFromCorpus(const std::string& path) {
    DocumentWindow* window = Open(path);
    if (!window) return;
    ++opened_;
    origins_[window->hwnd()] = {path, false};
    const ImageDoc& d = window->doc();
    if (int64_t{d.width} * d.height > kLargestPicture) CheckAndClose(window);
  }

  // Saving over a file changes what every window opened from it would compare with.
  void MarkSaved(const std::string& path) {
    if (path.empty()) return;
    for (auto& [window, origin] : origins_)
      if (origin.path == path) origin.savedOver = true;
    if (std::find(saved_.begin(), saved_.end(), path) == saved_.end()) saved_.push_back(path);
  }

  // All-undo must give back the file's own pixels; then the window closes.
  void CheckAndClose(DocumentWindow* window) {
    if (!window) return;
    const HWND w = window->hwnd();
    MDIActivate(window);
    const auto origin = origins_.find(w);
    if (origin != origins_.end() && !origin->second.savedOver) {
      if (window->doc().undoCount() > 0) Command(cmd::kUndoAll);
      if (DocumentWindow* still = app().FindDocument(w)) {
        ImageDoc fresh;
        fresh.path = origin->second.path;
        RecordingShell shell;
        if (LoadImageFile(shell, fresh, DocumentLoadOptions(app())) == 0) {
          ++pixelChecks_;
          EXPECT_EQ(still->doc().undoCount(), 0) << origin->second.path;
          const std::string difference = DescribePixelDifference(still->doc(), fresh);
          EXPECT_EQ(difference, "") << "after All-undo, " << origin->second.path << "\n" << watchdog_->Recent();
        }
      }
    }
    origins_.erase(w);
    SendMessageW(w, WM_CLOSE, 0, 0);
    Pump();
  }

  // Every document closed and the Quick Zoom window too, as at the start of the run.
  void CloseEverything() {
    for (int guard = 0; guard < 200 && !Documents().empty(); ++guard) CheckAndClose(Documents().front());
    if (app().frame->Snapshot().quickZoomShown) Command(cmd::kQuickZoom);
    std::vector<MessageBoxRequest>().swap(boxes_);  // the fixture's record of the boxes, not the program's memory
  }

  // A picture of each file type, every dialog once, every save type once:
  // what a run sets up once for good (caches, loaded libraries, the
  // clipboard's bitmap) is set up before the starting counts are taken.
  // Damaged files open nothing, so each type takes the first of its files
  // that does open. False when the run cannot go on.
  bool WarmUp(const EnduranceLimits& limits, size_t& index) {
    const auto run = [&](const Action& a) { return !ActionValid(a, State(), limits) || Run(a, index++); };
    const auto openOneOf = [&](const std::string& ext) {
      int tries = 0;
      for (size_t i = 0; i < corpus_.size() && tries < 20; ++i) {
        if (!corpus_[i].ends_with("." + ext)) continue;
        ++tries;
        if (!run({ActionKind::kOpenFile, 0, {static_cast<int32_t>(i)}})) return false;
        if (!Documents().empty()) return true;
      }
      return false;
    };
    std::set<std::string> types;
    for (const std::string& file : corpus_) types.insert(file.substr(file.find_last_of('.') + 1));
    for (const std::string& ext : types) {
      if (!openOneOf(ext)) continue;
      for (const Action& a : {Action{ActionKind::kSelectArea, 0, {100, 100, 900, 900}},
                              Action{ActionKind::kCommand, cmd::kNegPos}, Action{ActionKind::kCommand, cmd::kRotate90},
                              Action{ActionKind::kCloseDocument}})
        if (!run(a)) return false;
    }
    if (!openOneOf("bmp")) return false;
    std::vector<Action> list = {{ActionKind::kSelectArea, 0, {100, 100, 900, 900}},
                                {ActionKind::kCpMask, 0, {5, 17}},
                                {ActionKind::kCommand, cmd::kCopy},
                                {ActionKind::kCommand, cmd::kPasteNew},
                                {ActionKind::kCommand, cmd::kQuickZoom},
                                {ActionKind::kCommand, cmd::kQuickZoom},
                                {ActionKind::kSelectArea, 0, {100, 100, 900, 900}}};
    for (CommandId c : CancelledDialogCommands()) list.push_back({ActionKind::kCancelDialog, c});
    for (CommandId c : AcceptedDialogCommands()) list.push_back({ActionKind::kAcceptDialog, c});
    for (int32_t t = 0; t < static_cast<int32_t>(std::size(kSaveTypes)); ++t) list.push_back({ActionKind::kSaveAs, 0, {t}});
    for (const Action& a : list)
      if (!run(a)) return false;
    return true;
  }

  uint32_t actions_ = 0, seconds_ = 0, seed_ = 1;
  std::vector<std::string> corpus_;
  std::unique_ptr<Watchdog> watchdog_;
  std::map<HWND, Origin> origins_;
  std::vector<std::string> saved_;
  int saves_ = 0, opened_ = 0, pixelChecks_ = 0;
};

TEST_F(EnduranceTest, ThousandsOfRandomActionsLeaveNoCrashNoLeakAndEveryPictureRestorable) {
  ASSERT_GT(corpus_.size(), 50u) << "the corpora were not found";
  watchdog_ = std::make_unique<Watchdog>(seed_, ULONGLONG{EnvNumber("VEILO_ENDURANCE_STALL_SECONDS", 60)} * 1000,
                                         (ULONGLONG{seconds_} + kMarginSeconds) * 1000);
  size_t index = 0;
  const EnduranceLimits limits{static_cast<int32_t>(corpus_.size()), 6};
  ASSERT_TRUE(WarmUp(limits, index)) << "warm-up";
  CloseEverything();
  Pump(50, 2000);
  const ResourceCounts start = MeasureResources();
  const std::vector<std::string> startWindows = ThreadWindowNames();

  const ULONGLONG began = GetTickCount64();
  ActionChooser chooser(seed_, limits);
  size_t done = 0;
  for (; done < actions_ && GetTickCount64() - began < uint64_t{seconds_} * 1000; ++done) {
    const Action a = chooser.Next(State());
    if (!Run(a, index++) || HasFatalFailure()) break;
  }
  const double elapsed = static_cast<double>(GetTickCount64() - began) / 1000;
  watchdog_->Begin(index++, "close every document");
  CloseEverything();
  Pump(50, 2000);
  const ResourceCounts end = MeasureResources();
  const std::vector<std::string> endWindows = ThreadWindowNames();

  std::printf("endurance: seed %u, %zu actions in %.0f s, %d files opened, %d pixel checks after All-undo, %zu files saved\n"
              "endurance: start: %s\nendurance: end:   %s\n",
              seed_, done, elapsed, opened_, pixelChecks_, saved_.size(), start.Describe().c_str(),
              end.Describe().c_str());
  EXPECT_EQ(end.windows, start.windows) << "windows left over or gone";
  EXPECT_EQ(endWindows, startWindows) << "top-level windows at the start and at the end";
  if (start.gdiObjects >= 0) {
    EXPECT_LE(end.gdiObjects, start.gdiObjects + kGdiTolerance) << "GDI objects left over";
  }
  if (start.userObjects >= 0) {
    EXPECT_LE(end.userObjects, start.userObjects + kGdiTolerance) << "USER objects left over";
  }
  EXPECT_LE(end.privateBytes, start.privateBytes + kMemoryTolerance) << "memory not given back";
  EXPECT_LE(end.crtHeapBytes, start.crtHeapBytes + kCrtHeapTolerance) << "the program's heap not given back";

  // Every file the run saved reads back.
  int readBack = 0;
  for (const std::string& path : saved_) {
    if (!std::filesystem::exists(std::filesystem::path(Wide(path)))) continue;
    const std::string out = folder_.Path("readback-" + std::to_string(++readBack) + ".bmp");
    EXPECT_EQ(RunCli(L"convert \"" + Wide(path) + L"\" \"" + Wide(out) + L"\""), 0) << "veilo-cli cannot read " << path;
  }
  std::printf("endurance: %d saved files read back by veilo-cli\n", readBack);
}

}  // namespace
}  // namespace veilo::testing
