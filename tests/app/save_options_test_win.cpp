// The save option dialogs in front of the writers, driven as a user would:
// JPEGOPTION (F2) with its fields stored at once, BMP_OPT before a BMP save
// of a picture of many colours, JP2_OPT at every JPEG 2000 save. A cancelled
// dialog writes nothing and leaves the file on disk as it was.
#include <algorithm>
#include <string>
#include <vector>

#include "app_fixture_win.h"
#include "formats/bmp_save.h"
#include "formats/image_dispatch.h"
#include "modal_driver_win.h"
#include "platform/file_io.h"
#include "platform/wide_win.h"
#include "recording_shell.h"
#include "shell/commands.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"

namespace veilo::testing {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  return ReadWholeFile(path, 1u << 26).value_or(std::vector<uint8_t>{});
}

// biBitCount of a BMP file.
int BmpBitCount(const std::string& path) {
  const std::vector<uint8_t> bytes = FileBytes(path);
  return bytes.size() > 29 ? bytes[28] | bytes[29] << 8 : -1;
}

// A JPEG marker (FF xx) anywhere in the file.
bool HasMarker(const std::vector<uint8_t>& bytes, uint8_t marker) {
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == marker) return true;
  return false;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }
// Text as the user types it: the field sends EN_CHANGE as for keystrokes.
void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

// The seven JPEG options as one comparable value.
struct JpegValues {
  int32_t quality, smoothing;
  bool smoothingOn, noSmoothRead, progressive, optimize, sampling1x1;
  friend bool operator==(const JpegValues&, const JpegValues&) = default;
  friend std::ostream& operator<<(std::ostream& out, const JpegValues& v) {
    return out << v.quality << " " << v.smoothing << " " << v.smoothingOn << v.noSmoothRead << v.progressive
               << v.optimize << v.sampling1x1;
  }
};
JpegValues JpegOf(const AppOptions& o) {
  return {o.jpegQuality,      o.jpegSmoothing, o.jpegSmoothingOn, o.jpegNoSmoothRead,
          o.jpegProgressive, o.jpegOptimize,  o.jpegSampling1x1};
}
void SetJpeg(AppOptions& o, const JpegValues& v) {
  o.jpegQuality = v.quality;
  o.jpegSmoothing = v.smoothing;
  o.jpegSmoothingOn = v.smoothingOn;
  o.jpegNoSmoothRead = v.noSmoothRead;
  o.jpegProgressive = v.progressive;
  o.jpegOptimize = v.optimize;
  o.jpegSampling1x1 = v.sampling1x1;
}
constexpr JpegValues kVeiloDefault{80, 1, false, false, false, true, true};

class SaveOptionsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateDirectoryW(Wide(folder_.Path("pics")).c_str(), nullptr);
  }

  // A picture file in pics/, written without any dialog.
  std::string WriteDoc(const std::string& name, ImageDoc doc) {
    const std::string path = folder_.Path("pics/" + name);
    RecordingShell shell;
    SaveOptions options = StartingSaveOptions(doc);
    EXPECT_EQ(SaveImageFile(shell, path, doc, options), 0) << name;
    return path;
  }

  std::vector<std::string> PicsEntries() {
    std::vector<std::string> names;
    for (const DirectoryEntry& e : ListDirectory(folder_.Path("pics"))) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  // The active document saved under its own name (Ctrl+S).
  void Save() { Command(cmd::kSave); }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& b : boxes_) texts.push_back(b.text);
    return texts;
  }
};

// A picture of exactly `count` colours (count <= 256 * 256).
ImageDoc DocWithColours(int32_t count) {
  return MakeDoc(40, (count + 39) / 40, [count](int32_t x, int32_t y) {
    const int32_t i = std::min(y * 40 + x, count - 1);
    return Rgb{static_cast<uint8_t>(i & 0xFF), static_cast<uint8_t>(i >> 8), 77};
  });
}

// ---- JPEGOPTION ----------------------------------------------------------------------------

TEST_F(SaveOptionsTest, JpegFieldsAndBoxesAreStoredAtOnceAndCancelPutsAllSevenBack) {
  Start();
  const JpegValues before{55, 7, false, true, false, true, false};
  SetJpeg(app().options, before);
  struct Seen {
    std::string quality, factor;
    bool factorEnabled = true, labelEnabled = true;
    std::vector<bool> boxes;
    LRESULT qualityLimit = 0, factorLimit = 0;
    int32_t typed150 = -1, typedMinus5 = -1, typedGarbage = -1;
    bool factorEnabledAfterCheck = false;
    std::string factorAfterCheck;
    int32_t factor0 = -1, factor150 = -1;
    JpegValues whileOpen{};
  } seen;
  ModalDriver driver({[&](HWND d) {
                        seen.quality = ItemText(d, IDC_JPEG_QUALITY);
                        seen.factor = ItemText(d, IDC_JPEG_FACTOR);
                        seen.factorEnabled = Enabled(d, IDC_JPEG_FACTOR);
                        seen.labelEnabled = Enabled(d, IDC_JPEG_FACTOR_LABEL);
                        for (int id : {IDC_JPEG_SMOOTHING_SET, IDC_JPEG_NO_SMOOTH, IDC_JPEG_PROGRESSIVE,
                                       IDC_JPEG_OPTIMIZE, IDC_JPEG_SAMPLING_1X1})
                          seen.boxes.push_back(ItemChecked(d, id));
                        seen.qualityLimit = SendDlgItemMessageW(d, IDC_JPEG_QUALITY, EM_GETLIMITTEXT, 0, 0);
                        seen.factorLimit = SendDlgItemMessageW(d, IDC_JPEG_FACTOR, EM_GETLIMITTEXT, 0, 0);
                        const AppOptions& o = app().options;
                        Type(d, IDC_JPEG_QUALITY, L"150");
                        seen.typed150 = o.jpegQuality;
                        Type(d, IDC_JPEG_QUALITY, L"-5");
                        seen.typedMinus5 = o.jpegQuality;
                        Type(d, IDC_JPEG_QUALITY, L"x");
                        seen.typedGarbage = o.jpegQuality;
                        ClickItem(d, IDC_JPEG_SMOOTHING_SET);
                        seen.factorEnabledAfterCheck = Enabled(d, IDC_JPEG_FACTOR) && Enabled(d, IDC_JPEG_FACTOR_LABEL);
                        seen.factorAfterCheck = ItemText(d, IDC_JPEG_FACTOR);
                        Type(d, IDC_JPEG_FACTOR, L"0");
                        seen.factor0 = o.jpegSmoothing;
                        Type(d, IDC_JPEG_FACTOR, L"150");
                        seen.factor150 = o.jpegSmoothing;
                        for (int id : {IDC_JPEG_NO_SMOOTH, IDC_JPEG_PROGRESSIVE, IDC_JPEG_OPTIMIZE, IDC_JPEG_SAMPLING_1X1})
                          ClickItem(d, id);
                        seen.whileOpen = JpegOf(o);
                        return true;
                      },
                      [](HWND d) {
                        ClickItem(d, IDCANCEL);
                        return true;
                      }});
  Key(VK_F2);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(ActiveDialogBox(), nullptr);
  EXPECT_EQ(seen.quality, "55");
  EXPECT_EQ(seen.factor, "") << "blank while the factor is not applied";
  EXPECT_FALSE(seen.factorEnabled);
  EXPECT_FALSE(seen.labelEnabled);
  EXPECT_EQ(seen.boxes, (std::vector<bool>{false, true, false, true, false}));
  EXPECT_EQ(seen.qualityLimit, 3);
  EXPECT_EQ(seen.factorLimit, 3);
  EXPECT_EQ(seen.typed150, 100);
  EXPECT_EQ(seen.typedMinus5, 0);
  EXPECT_EQ(seen.typedGarbage, 0) << "text without a number keeps the value";
  EXPECT_TRUE(seen.factorEnabledAfterCheck);
  EXPECT_EQ(seen.factorAfterCheck, "7");
  EXPECT_EQ(seen.factor0, 1);
  EXPECT_EQ(seen.factor150, 100);
  EXPECT_EQ(seen.whileOpen, (JpegValues{0, 100, true, false, true, false, true}));
  EXPECT_EQ(JpegOf(app().options), before);
}

TEST_F(SaveOptionsTest, JpegVeiloDefaultRefreshesTheDialogAndOkKeepsWhatItShowsInTheSettingsFile) {
  Start();
  SetJpeg(app().options, {20, 9, true, true, true, false, false});
  std::string qualityAfterDefault, factorAfterDefault;
  bool factorEnabledAfterDefault = true;
  std::vector<bool> boxesAfterDefault;
  JpegValues afterDefault{};
  ModalDriver driver({[&](HWND d) {
    ClickItem(d, IDC_JPEG_DEFAULT);
    afterDefault = JpegOf(app().options);
    qualityAfterDefault = ItemText(d, IDC_JPEG_QUALITY);
    factorAfterDefault = ItemText(d, IDC_JPEG_FACTOR);
    factorEnabledAfterDefault = Enabled(d, IDC_JPEG_FACTOR);
    for (int id : {IDC_JPEG_SMOOTHING_SET, IDC_JPEG_NO_SMOOTH, IDC_JPEG_PROGRESSIVE, IDC_JPEG_OPTIMIZE,
                   IDC_JPEG_SAMPLING_1X1})
      boxesAfterDefault.push_back(ItemChecked(d, id));
    Type(d, IDC_JPEG_QUALITY, L"30");
    ClickItem(d, IDC_JPEG_PROGRESSIVE);
    ClickItem(d, IDOK);
    return true;
  }});
  Command(cmd::kJpegOptions);
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(afterDefault, kVeiloDefault);
  EXPECT_EQ(qualityAfterDefault, "80");
  EXPECT_EQ(factorAfterDefault, "");
  EXPECT_FALSE(factorEnabledAfterDefault);
  EXPECT_EQ(boxesAfterDefault, (std::vector<bool>{false, false, false, true, true}));
  EXPECT_EQ(JpegOf(app().options), (JpegValues{30, 1, false, false, true, true, true}));

  // Kept in the settings file at exit, in the order of its seven numbers.
  SaveAppSettings(app(), frame());
  const std::vector<uint8_t> ini = FileBytes(exeDir_ + "\\veilo.ini");
  EXPECT_NE(std::string(ini.begin(), ini.end()).find("JpegOption=30 1 0 0 1 1 1\r\n"), std::string::npos);
}

TEST_F(SaveOptionsTest, AJpegSavedAtQuality30ProgressiveIsSmallerThanAt80AndProgressive) {
  Start();
  const std::string path = WriteDoc("photo.jpg", MakeDoc(96, 64, [](int32_t x, int32_t y) {
    return Rgb{static_cast<uint8_t>(x * 2 + y), static_cast<uint8_t>(y * 3), static_cast<uint8_t>((x * y) & 0xFF)};
  }));
  ASSERT_NE(Open(path), nullptr);
  Save();
  const std::vector<uint8_t> at80 = FileBytes(path);
  ModalDriver driver({[](HWND d) {
    Type(d, IDC_JPEG_QUALITY, L"30");
    ClickItem(d, IDC_JPEG_PROGRESSIVE);
    ClickItem(d, IDOK);
    return true;
  }});
  Key(VK_F2);
  ASSERT_TRUE(driver.Finished());
  Save();
  const std::vector<uint8_t> at30 = FileBytes(path);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(HasMarker(at80, 0xC0));  // baseline
  EXPECT_FALSE(HasMarker(at80, 0xC2));
  EXPECT_TRUE(HasMarker(at30, 0xC2));  // progressive
  EXPECT_LT(at30.size(), at80.size());
}

// ---- the JPEG progress in the message pane -------------------------------------------------

// Records every text put into a window (its WM_SETTEXT) while it lives.
class TextRecorder {
 public:
  explicit TextRecorder(HWND window) : window_(window) {
    current_ = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextRecorder::Procedure)));
  }
  ~TextRecorder() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    current_ = nullptr;
  }
  TextRecorder(const TextRecorder&) = delete;
  TextRecorder& operator=(const TextRecorder&) = delete;

  std::vector<std::string> texts;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT && current_)
      current_->texts.push_back(lp ? Utf8(reinterpret_cast<const wchar_t*>(lp)) : std::string());
    return CallWindowProcW(current_->previous_, hwnd, msg, wp, lp);
  }
  static inline TextRecorder* current_ = nullptr;
  HWND window_;
  WNDPROC previous_ = nullptr;
};

// "JPEG <p>%<tail>" for p = first, first + 10, ..., 100.
std::vector<std::string> Progress(int first, const std::string& tail) {
  std::vector<std::string> texts;
  for (int p = first; p <= 100; p += 10) texts.push_back("JPEG " + std::to_string(p) + "%" + tail);
  return texts;
}

class JpegProgressTest : public SaveOptionsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(JpegProgressTest, ReadAndWriteShowTheirProgressInTheMessagePaneAndClearIt) {
  const bool english = GetParam();
  Start(english ? "[MENU]\r\n" : "");
  ASSERT_EQ(app().language.languageLoaded, english);
  const std::string path = WriteDoc("tall.jpg", MakeNoiseDoc(8, 200, 3));
  const HWND pane = app().frame->panes().messagePane();
  std::vector<std::string> reading, writing;
  std::string afterRead, afterWrite;
  {
    TextRecorder recorder(pane);
    ASSERT_NE(Open(path), nullptr);
    reading = recorder.texts;
    afterRead = WindowTextOf(pane);
  }
  {
    TextRecorder recorder(pane);
    Save();
    writing = recorder.texts;
    afterWrite = WindowTextOf(pane);
  }
  const auto jpegTexts = [](const std::vector<std::string>& texts) {
    std::vector<std::string> shown;
    for (const std::string& t : texts)
      if (t.rfind("JPEG ", 0) == 0) shown.push_back(t);
    return shown;
  };
  EXPECT_EQ(jpegTexts(reading), Progress(0, english ? " Read..." : " 読み込み中..."));
  EXPECT_EQ(jpegTexts(writing), Progress(10, english ? " Write..." : " 書き込み中..."));
  // Cleared once the picture is read or written.
  ASSERT_FALSE(reading.empty());
  ASSERT_FALSE(writing.empty());
  EXPECT_EQ(reading.back(), "");
  EXPECT_EQ(writing.back(), "");
  EXPECT_EQ(afterRead, "");
  EXPECT_EQ(afterWrite, "");
  EXPECT_TRUE(boxes_.empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, JpegProgressTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return param.param ? "WithLanguageFile" : "Japanese";
                         });

// ---- BMP_OPT -------------------------------------------------------------------------------

struct BmpDialogSeen {
  bool shown = false;
  bool reduce256Enabled = false;
  int checked = -1;  // the reduction whose button was checked
};

// Records what BMP_OPT shows, clicks `choice` (0 for none), then presses `button`.
ModalDriver DriveBmpOptions(BmpDialogSeen& seen, int choice, int button) {
  return ModalDriver({[&seen, choice, button](HWND d) {
    seen.shown = WindowTextOf(d) == "Bitmap Option";
    seen.reduce256Enabled = Enabled(d, IDC_BMP_REDUCE_256);
    seen.checked = ItemChecked(d, IDC_BMP_NO_REDUCTION) ? 0
                   : ItemChecked(d, IDC_BMP_REDUCE_256) ? 256
                   : ItemChecked(d, IDC_BMP_REDUCE_16)  ? 16
                                                        : -1;
    if (choice) ClickItem(d, choice);
    ClickItem(d, button);
    return true;
  }});
}

TEST_F(SaveOptionsTest, BmpOptionsAppearAboveSixteenColoursAndTheChoiceHoldsForTheRun) {
  Start();
  const std::string many = WriteDoc("many.bmp", MakeNoiseDoc(30, 20));
  const std::string some = WriteDoc("some.bmp", DocWithColours(200));
  const std::string few = WriteDoc("few.bmp", DocWithColours(12));
  ASSERT_EQ(BmpBitCount(many), 24);
  ASSERT_EQ(BmpBitCount(some), 8);

  ASSERT_NE(Open(many), nullptr);
  BmpDialogSeen first;
  {
    ModalDriver driver = DriveBmpOptions(first, IDC_BMP_REDUCE_16, IDOK);
    Save();
    ASSERT_TRUE(driver.Finished());
  }
  EXPECT_TRUE(first.shown);
  EXPECT_TRUE(first.reduce256Enabled);
  EXPECT_EQ(first.checked, 0);
  EXPECT_EQ(BmpBitCount(many), 4) << "reduced to 16 colours";

  // 200 colours: no reduction to 256 offered; the run's choice is shown.
  ASSERT_NE(Open(some), nullptr);
  BmpDialogSeen second;
  {
    ModalDriver driver = DriveBmpOptions(second, 0, IDOK);
    Save();
    ASSERT_TRUE(driver.Finished());
  }
  EXPECT_FALSE(second.reduce256Enabled);
  EXPECT_EQ(second.checked, 16);
  EXPECT_EQ(BmpBitCount(some), 4);

  // 12 colours: no dialog, written with the option as it stands.
  ASSERT_NE(Open(few), nullptr);
  BmpDialogSeen third;
  {
    ModalDriver driver = DriveBmpOptions(third, 0, IDOK);
    Save();
    EXPECT_FALSE(driver.Finished());
  }
  EXPECT_FALSE(third.shown);
  // The run's reduction applies all the same: the file is the quantiser's 16-colour picture.
  RecordingShell shell;
  const std::string reduced = folder_.Path("reduced.bmp");
  ASSERT_EQ(WriteReducedBmp(shell, reduced, Active()->doc(), 16), 1);
  EXPECT_EQ(FileBytes(few), FileBytes(reduced));
  EXPECT_EQ(app().saveChoices.bmpReduction, 16);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(SaveOptionsTest, BmpCancelWritesNothingAndKeepsTheOldFile) {
  Start();
  const std::string path = WriteDoc("keep.bmp", MakeNoiseDoc(30, 20));
  const std::vector<uint8_t> before = FileBytes(path);
  ASSERT_NE(Open(path), nullptr);
  ImageDoc& doc = Active()->doc();
  SelectArea(doc, 0, 0, doc.width, doc.height);
  Key(VK_F5);  // a changed picture, so that a write would show
  ASSERT_EQ(doc.undoCount(), 1);
  BmpDialogSeen seen;
  {
    ModalDriver driver = DriveBmpOptions(seen, IDC_BMP_REDUCE_256, IDCANCEL);
    Save();
    ASSERT_TRUE(driver.Finished());
  }
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_EQ(PicsEntries(), std::vector<std::string>{"keep.bmp"});
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"書き込みに失敗しました。"});
  // A choice made before Cancel stays chosen for the run.
  EXPECT_EQ(app().saveChoices.bmpReduction, 256);
}

TEST_F(SaveOptionsTest, BmpOptionsTakeTheLanguageFilesTexts) {
  Start("[PNG OPTION DLG]\r\nReduction=Fewer colours\r\nNoReduce=Keep all\r\n256=To 256\r\n16=To 16\r\n"
        "[ETC]\r\nOK=Fine\r\nCancel=Stop\r\n");
  const std::string path = WriteDoc("many.bmp", MakeNoiseDoc(30, 20));
  ASSERT_NE(Open(path), nullptr);
  std::vector<std::string> texts;
  ModalDriver driver({[&](HWND d) {
    for (int id : {IDC_BMP_REDUCTION_GROUP, IDC_BMP_NO_REDUCTION, IDC_BMP_REDUCE_256, IDC_BMP_REDUCE_16, IDOK,
                   IDCANCEL})
      texts.push_back(ItemText(d, id));
    texts.push_back(WindowTextOf(d));
    ClickItem(d, IDOK);
    return true;
  }});
  Save();
  ASSERT_TRUE(driver.Finished());
  EXPECT_EQ(texts, (std::vector<std::string>{"Fewer colours", "Keep all", "To 256", "To 16", "Fine", "Stop",
                                             "Bitmap Option"}));
}

// ---- JP2_OPT -------------------------------------------------------------------------------

TEST_F(SaveOptionsTest, Jp2RatesOfOneAndZeroAreRefusedInTheDialogAndAHalfIsTaken) {
  Start();
  const std::string path = WriteDoc("pic.jp2", MakeNoiseDoc(48, 32, 5));
  ASSERT_NE(Open(path), nullptr);
  struct Seen {
    bool losslessChecked = false, rateEnabled = true;
    std::string rate, library;
    size_t boxesAfterOne = 0, boxesAfterZero = 0;
    bool openAfterOne = false, openAfterZero = false;
  } seen;
  HWND dialog = nullptr;
  ModalDriver driver({[&](HWND d) {
                        dialog = d;
                        seen.losslessChecked = ItemChecked(d, IDC_JP2_LOSSLESS);
                        seen.rateEnabled = Enabled(d, IDC_JP2_RATE);
                        seen.rate = ItemText(d, IDC_JP2_RATE);
                        seen.library = ItemText(d, IDC_JP2_LIBRARY);
                        ClickItem(d, IDC_JP2_RATE_CHOICE);
                        Type(d, IDC_JP2_RATE, L"1");
                        ClickItem(d, IDOK);
                        seen.boxesAfterOne = boxes_.size();
                        return true;
                      },
                      [&](HWND d) {
                        seen.openAfterOne = d == dialog;
                        Type(d, IDC_JP2_RATE, L"0");
                        ClickItem(d, IDOK);
                        seen.boxesAfterZero = boxes_.size();
                        return true;
                      },
                      [&](HWND d) {
                        seen.openAfterZero = d == dialog;
                        Type(d, IDC_JP2_RATE, L"0.5");
                        ClickItem(d, IDOK);
                        return true;
                      }});
  Save();
  ASSERT_TRUE(driver.Finished());
  EXPECT_TRUE(seen.losslessChecked);
  EXPECT_FALSE(seen.rateEnabled);
  EXPECT_EQ(seen.rate, "0.1");
  EXPECT_EQ(seen.library.rfind("OpenJPEG 2.", 0), 0u) << seen.library;
  EXPECT_EQ(seen.boxesAfterOne, 1u);
  EXPECT_EQ(seen.boxesAfterZero, 2u);
  EXPECT_TRUE(seen.openAfterOne);
  EXPECT_TRUE(seen.openAfterZero);
  ASSERT_EQ(boxes_.size(), 2u);
  for (const MessageBoxRequest& box : boxes_) {
    EXPECT_EQ(box.text, "error: rate");
    EXPECT_EQ(box.caption, "Error!");
    EXPECT_EQ(box.owner, dialog);
  }
  EXPECT_FALSE(app().options.jp2Lossless);
  EXPECT_FLOAT_EQ(app().options.jp2Rate, 0.5f);
  // Written at that rate: no longer the exact picture.
  ImageDoc back;
  back.path = path;
  RecordingShell shell;
  ASSERT_EQ(LoadImageFile(shell, back), 0);
  EXPECT_NE(DescribePixelDifference(back, Active()->doc()), "");
}

TEST_F(SaveOptionsTest, Jp2LosslessRoundTripsExactlyAndCancelWritesNothing) {
  Start();
  app().options.jp2Lossless = false;
  app().options.jp2Rate = 0.25f;
  const std::string path = WriteDoc("pic.jp2", MakeNoiseDoc(48, 32, 6));
  ASSERT_NE(Open(path), nullptr);
  ImageDoc& doc = Active()->doc();
  SelectArea(doc, 0, 0, doc.width, doc.height);
  Key(VK_F5);
  ASSERT_EQ(doc.undoCount(), 1);

  // Cancel: the file and the options stay as they were, even with the choices changed.
  const std::vector<uint8_t> before = FileBytes(path);
  bool rateShown = false;
  {
    ModalDriver driver({[&](HWND d) {
      rateShown = ItemChecked(d, IDC_JP2_RATE_CHOICE) && Enabled(d, IDC_JP2_RATE) && ItemText(d, IDC_JP2_RATE) == "0.25";
      ClickItem(d, IDC_JP2_LOSSLESS);
      Type(d, IDC_JP2_RATE, L"0.7");
      ClickItem(d, IDCANCEL);
      return true;
    }});
    Save();
    ASSERT_TRUE(driver.Finished());
  }
  EXPECT_TRUE(rateShown);
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_EQ(PicsEntries(), std::vector<std::string>{"pic.jp2"});
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"書き込みに失敗しました。"});
  EXPECT_FALSE(app().options.jp2Lossless);
  EXPECT_FLOAT_EQ(app().options.jp2Rate, 0.25f);

  // Lossless: the masked picture comes back exactly; the rate stays as it was.
  {
    ModalDriver driver({[](HWND d) {
      ClickItem(d, IDC_JP2_LOSSLESS);
      ClickItem(d, IDOK);
      return true;
    }});
    Save();
    ASSERT_TRUE(driver.Finished());
  }
  EXPECT_TRUE(app().options.jp2Lossless);
  EXPECT_FLOAT_EQ(app().options.jp2Rate, 0.25f);
  ImageDoc back;
  back.path = path;
  RecordingShell shell;
  ASSERT_EQ(LoadImageFile(shell, back), 0);
  EXPECT_EQ(DescribePixelDifference(back, doc), "");
}

}  // namespace
}  // namespace veilo::testing
