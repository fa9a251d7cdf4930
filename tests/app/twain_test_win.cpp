// Scanning as a user does it: Wine's TWAIN source manager and the test scanner (a data source
// of our own, see tests/twain_source) behind the two TWAIN commands. The scanner does what the
// test's script says and writes down every call it gets, so the tests see both sides.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "shell/commands.h"
#include "shell/twain_win.h"
#include "test_scanner.h"

namespace veilo::testing {
namespace {

using Lines = std::vector<std::string>;

HWND ScannerWindow() { return FindWindowW(scan::kScannerClass, nullptr); }

std::string FolderOf(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = get(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf8(folder) : std::string();
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Wine's manager loads its sources from fixed places, <Windows>\twain_64\sane.ds for 64-bit
// programs and <Windows>\twain_32\sane.ds for 32-bit ones: the test scanner, built beside this
// program, goes there (into the test prefix). False when it cannot be put there.
bool InstallScanner() {
  wchar_t program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  std::string source = Utf8(program);
  source = source.substr(0, source.find_last_of('\\')) + "\\sane.ds";
  const std::string folder = FolderOf(GetWindowsDirectoryW) + (sizeof(void*) == 8 ? "\\twain_64" : "\\twain_32");
  const std::string target = folder + "\\sane.ds";
  const auto built = ReadWholeFile(source, 64 << 20);
  if (!built) return false;
  if (ReadWholeFile(target, 64 << 20) == built) return true;  // there already (and maybe loaded)
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  return CopyFileW(Wide(source).c_str(), Wide(target).c_str(), FALSE) != 0;
}

// Where this program's kind of the manager is: the Windows folder, as on 32-bit Windows;
// 64-bit Wine keeps its 64-bit manager in the system folder only. Empty when neither has it.
std::string ManagerFolder() {
  for (const std::string& folder : {FolderOf(GetWindowsDirectoryW), FolderOf(GetSystemDirectoryW)})
    if (!folder.empty() && FileExists(folder + "\\TWAIN_32.DLL")) return folder;
  return {};
}
bool ManagerLoaded() { return GetModuleHandleW(L"twain_32.dll") != nullptr; }

class TwainTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    if (!UnderWine()) GTEST_SKIP() << "the scanning tests use Wine's TWAIN source manager";
    windowsDir_ = ManagerFolder();
    if (windowsDir_.empty()) GTEST_SKIP() << "no TWAIN_32.DLL in the Windows or the system folder";
    ASSERT_TRUE(InstallScanner()) << "the test scanner could not be put where the manager looks";
    script_ = folder_.Path("scan.ini");
    log_ = folder_.Path("scanner.log");
    SetEnvironmentVariableW(scan::kScriptVariable, Wide(script_).c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableW(scan::kScriptVariable, nullptr);
    AppTest::TearDown();
  }

  // What the scanner does next; the log starts again.
  void Script(const std::string& pictures, const std::string& ui = "window", const std::string& fail = "") {
    RemoveFile(log_);
    const std::string text = "[scan]\r\npictures=" + pictures + "\r\ninterface=" + ui + "\r\nfail=" + fail +
                             "\r\nlog=" + log_ + "\r\n";
    FilePtr file = OpenFile(script_, "wb");
    ASSERT_TRUE(file);
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
  }
  Lines Log() const {
    Lines lines;
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(log_, 1 << 20);
    if (!bytes) return lines;
    std::string line;
    for (const uint8_t c : *bytes) {
      if (c != '\n') {
        line += static_cast<char>(c);
        continue;
      }
      lines.push_back(line);
      line.clear();
    }
    return lines;
  }
  // The scanner's line for being enabled with its window shown, modeless, over the frame.
  std::string EnabledOverTheFrame() {
    char line[96];
    std::snprintf(line, sizeof line, "enable 1 0 %p", static_cast<void*>(frame()));
    return line;
  }

  // Everything is closed again and the frame is back in use.
  void ExpectAllClosed() {
    ASSERT_TRUE(app().twain);
    const TwainSession& s = app().twain->session;
    EXPECT_FALSE(s.managerOpen());
    EXPECT_FALSE(s.sourceOpen());
    EXPECT_FALSE(s.sourceEnabled());
    EXPECT_FALSE(ManagerLoaded()) << "the manager's library is still loaded";
    EXPECT_EQ(app().twain->windows.abortDialog(), nullptr);
    EXPECT_EQ(ScannerWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(frame()));
  }

  enum class Press { kScan, kCancel, kClose };
  // Ctrl+T, then, once the scanner's window is up, a click on its Scan or Cancel button or on
  // the abort dialog's Close. While the scan runs the frame is disabled.
  void AcquireAndPress(Press press) {
    bool frameDisabled = false;
    ModalDriver driver({[&](HWND abortDialog) {
      const HWND scanner = ScannerWindow();
      if (!scanner) return false;
      frameDisabled = !IsWindowEnabled(frame());
      EXPECT_EQ(WindowTextOf(abortDialog), "TWAIN");
      EXPECT_EQ(abortDialog, app().twain->windows.abortDialog());
      if (press == Press::kClose)
        ClickItem(abortDialog, IDOK);
      else
        ClickItem(scanner, press == Press::kScan ? scan::kScanButton : scan::kCancelButton);
      return true;
    }});
    Key('T', false, true);
    EXPECT_TRUE(driver.Finished()) << "the scanner's window did not come up";
    EXPECT_TRUE(frameDisabled);
  }

  std::string script_, log_;
};

// The document holds the picture the scanner delivered, pixel for pixel.
void ExpectScannedPicture(DocumentWindow* window, const std::string& format, int index) {
  ASSERT_NE(window, nullptr);
  scan::Format f;
  ASSERT_TRUE(scan::ParseFormat(format, f));
  ImageDoc& doc = window->doc();
  ASSERT_EQ(doc.width, scan::Width(index)) << format;
  ASSERT_EQ(doc.height, scan::Height(index)) << format;
  EXPECT_EQ(doc.bitCount, 24);
  EXPECT_TRUE(doc.path.empty());
  for (int32_t y = 0; y < doc.height; ++y)
    for (int32_t x = 0; x < doc.width; ++x)
      ASSERT_EQ(DocColour(doc, x, y), scan::Colour(f, x, y)) << format << " at " << x << "," << y;
}

TEST_F(TwainTest, TwoPicturesOfOneScanBecomeTwain000AndTwain001) {
  Start();
  Script("24,8");
  AcquireAndPress(Press::kScan);
  ASSERT_EQ(app().documents.size(), 2u);
  EXPECT_EQ(Caption(app().documents[0]->hwnd()), "TWAIN000");
  EXPECT_EQ(Caption(app().documents[1]->hwnd()), "TWAIN001");
  ExpectScannedPicture(app().documents[0].get(), "24", 0);
  ExpectScannedPicture(app().documents[1].get(), "8", 1);
  EXPECT_EQ(Log(), (Lines{"open", "native", EnabledOverTheFrame(), "ready", "transfer", "end transfer 1",
                          "transfer", "end transfer 0", "disable 255", "close"}));
  ExpectAllClosed();
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(TwainTest, EveryPictureFormatBecomesItsDocument) {
  Start();
  const char* formats[] = {"1", "4", "8", "16", "24", "1core", "4core", "8core", "24core"};
  int count = 0;
  for (const char* format : formats) {
    SCOPED_TRACE(format);
    Script(format, "direct");  // ready as soon as the scanner is enabled
    Command(cmd::kTwainAcquire);
    ASSERT_EQ(app().documents.size(), static_cast<size_t>(count + 1));
    char name[16];
    std::snprintf(name, sizeof name, "TWAIN%03d", count++);
    EXPECT_EQ(Caption(app().documents.back()->hwnd()), name);
    ExpectScannedPicture(app().documents.back().get(), format, 0);
    ExpectAllClosed();
  }
}

TEST_F(TwainTest, ABrokenPictureMakesNoDocument) {
  Start();
  Script("24cut,24", "direct");
  Command(cmd::kTwainAcquire);
  ASSERT_EQ(app().documents.size(), 1u);
  EXPECT_EQ(Caption(app().documents[0]->hwnd()), "TWAIN000");  // the name goes to a document made
  ExpectScannedPicture(app().documents[0].get(), "24", 1);
  ExpectAllClosed();
}

// Quitting while a scan waits ends the wait, lets go of the scanner and leaves the quit
// for the program's own loop.
TEST_F(TwainTest, QuittingDuringAScanClosesTheScanner) {
  Start();
  Script("24");
  ModalDriver driver({[](HWND) {
    if (!ScannerWindow()) return false;
    PostQuitMessage(3);
    return true;
  }});
  SendMessageW(frame(), WM_COMMAND, cmd::kTwainAcquire, 0);
  EXPECT_TRUE(driver.Finished());
  MSG quit{};
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 3u);
  EXPECT_TRUE(app().documents.empty());
  EXPECT_EQ(Log(), (Lines{"open", "native", EnabledOverTheFrame(), "disable 255", "close"}));
  ExpectAllClosed();
}

TEST_F(TwainTest, CancelInTheScannerClosesEverythingAndMakesNothing) {
  Start();
  Script("24");
  AcquireAndPress(Press::kCancel);
  EXPECT_TRUE(app().documents.empty());
  EXPECT_EQ(Log(), (Lines{"open", "native", EnabledOverTheFrame(), "ask to close", "disable 255", "close"}));
  ExpectAllClosed();
}

TEST_F(TwainTest, CloseInTheAbortDialogClosesEverythingAndMakesNothing) {
  Start();
  Script("24");
  AcquireAndPress(Press::kClose);
  EXPECT_TRUE(app().documents.empty());
  EXPECT_EQ(Log(), (Lines{"open", "native", EnabledOverTheFrame(), "disable 255", "close"}));
  ExpectAllClosed();
}

TEST_F(TwainTest, AScanWithoutPicturesMakesNothing) {
  Start();
  Script("", "direct");
  Command(cmd::kTwainAcquire);
  EXPECT_TRUE(app().documents.empty());
  EXPECT_EQ(Log(), (Lines{"open", "native", EnabledOverTheFrame(), "ask to close", "disable 255", "close"}));
  ExpectAllClosed();
}

// Each failing step ends the command quietly with everything closed, and the next scan works.
TEST_F(TwainTest, AFailingScannerLeavesTheProgramUsable) {
  struct Case {
    const char* fail;
    Lines log;
  };
  Start();
  const Case cases[] = {
      {"open", {"open"}},
      {"native", {"open", "native", "close"}},
      {"enable", {"open", "native", EnabledOverTheFrame(), "close"}},
      {"transfer",
       {"open", "native", EnabledOverTheFrame(), "ready", "transfer", "end transfer 0", "disable 255",
        "close"}},
  };
  size_t made = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fail);
    Script("24", "direct", c.fail);
    Command(cmd::kTwainAcquire);
    EXPECT_EQ(app().documents.size(), made);
    EXPECT_EQ(Log(), c.log);
    ExpectAllClosed();
    Script("24", "direct");
    Command(cmd::kTwainAcquire);
    ASSERT_EQ(app().documents.size(), ++made);
    ExpectScannedPicture(app().documents.back().get(), "24", 0);
  }
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(TwainTest, TheManagersDialogChoosesTheSource) {
  Start();
  for (const int answer : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(answer);
    bool listed = false;
    ModalDriver driver({[&](HWND dialog) {
      const HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
      const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(Wide(scan::kScannerName).c_str()));
      listed = list && index != LB_ERR;
      ClickItem(dialog, answer);
      return true;
    }});
    Command(cmd::kTwainSelect);
    EXPECT_TRUE(driver.Finished());
    EXPECT_TRUE(listed) << "the manager's dialog does not list the test scanner";
    ASSERT_TRUE(app().twain);
    EXPECT_STREQ(app().twain->session.sourceIdentity().productName, answer == IDOK ? scan::kScannerName : "");
    EXPECT_FALSE(app().twain->session.managerOpen());
    EXPECT_FALSE(ManagerLoaded());
  }
  // The chosen source is the one the next scan opens.
  Script("24", "direct");
  Command(cmd::kTwainAcquire);
  ASSERT_EQ(app().documents.size(), 1u);
  ExpectAllClosed();
}

TEST_F(TwainTest, WithoutAManagerBothCommandsDoNothing) {
  windowsDir_ = folder_.Path("windows");  // a Windows folder without TWAIN_32.DLL
  CreateDirectoryW(Wide(windowsDir_).c_str(), nullptr);
  Start();
  Script("24", "direct");
  CloseDialogsAsTheyAppear();  // a dialog would be a fault; it must not stop the test
  Command(cmd::kTwainSelect);
  Command(cmd::kTwainAcquire);
  Key('T', false, true);
  StopClosingDialogs();
  EXPECT_TRUE(app().documents.empty());
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(Log().empty()) << "the scanner was reached";
  EXPECT_EQ(ActiveDialogBox(), nullptr);
  ExpectAllClosed();
}

}  // namespace
}  // namespace veilo::testing
