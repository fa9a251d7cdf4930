// JPEGOPTION (F2) driven as a user would: its fields and boxes stored at once,
// Cancel and Veilo Default, what a save then writes; and the JPEG progress in
// the frame's message pane while a picture is read and written.
#include <string>
#include <vector>

#include "save_options_fixture_win.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"

namespace veilo::testing {
namespace {

// A JPEG marker (FF xx) anywhere in the file.
bool HasMarker(const std::vector<uint8_t>& bytes, uint8_t marker) {
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == marker) return true;
  return false;
}

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
                        seen.factorEnabledAfterCheck =
                            Enabled(d, IDC_JPEG_FACTOR) && Enabled(d, IDC_JPEG_FACTOR_LABEL);
                        seen.factorAfterCheck = ItemText(d, IDC_JPEG_FACTOR);
                        Type(d, IDC_JPEG_FACTOR, L"0");
                        seen.factor0 = o.jpegSmoothing;
                        Type(d, IDC_JPEG_FACTOR, L"150");
                        seen.factor150 = o.jpegSmoothing;
                        for (int id : {IDC_JPEG_NO_SMOOTH, IDC_JPEG_PROGRESSIVE, IDC_JPEG_OPTIMIZE,
                                       IDC_JPEG_SAMPLING_1X1})
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
    return Rgb{static_cast<uint8_t>(x * 2 + y), static_cast<uint8_t>(y * 3),
               static_cast<uint8_t>((x * y) & 0xFF)};
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

}  // namespace
}  // namespace veilo::testing
