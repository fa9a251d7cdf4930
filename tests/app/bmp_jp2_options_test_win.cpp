// BMP_OPT before a BMP save of a picture of many colours and JP2_OPT at every
// JPEG 2000 save, driven as a user would. A cancelled dialog writes nothing
// and leaves the file on disk as it was.
#include <algorithm>
#include <string>
#include <vector>

#include "formats/bmp_save.h"
#include "save_options_fixture_win.h"
#include "shell/resource_ids.h"

namespace veilo::testing {
namespace {

// biBitCount of a BMP file.
int BmpBitCount(const std::string& path) {
  const std::vector<uint8_t> bytes = FileBytes(path);
  return bytes.size() > 29 ? bytes[28] | bytes[29] << 8 : -1;
}

// A picture of exactly `count` colours (count <= 256 * 256).
ImageDoc DocWithColours(int32_t count) {
  return MakeDoc(40, (count + 39) / 40, [count](int32_t x, int32_t y) {
    const int32_t i = std::min(y * 40 + x, count - 1);
    return Rgb{static_cast<uint8_t>(i & 0xFF), static_cast<uint8_t>(i >> 8), 77};
  });
}

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
      rateShown = ItemChecked(d, IDC_JP2_RATE_CHOICE) && Enabled(d, IDC_JP2_RATE) &&
                  ItemText(d, IDC_JP2_RATE) == "0.25";
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
