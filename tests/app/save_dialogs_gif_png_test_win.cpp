// The GIF option dialog 102 and PNG_OPT in front of their writers, driven as
// a user would through the document window's save: the choices reach the
// written file, the transparent colour comes from the check box or the spoit
// behind the swatch, Cancel writes nothing and puts the run's choices back,
// and the dialogs take their texts from a language file.
#include <cstring>
#include <string>
#include <vector>

#include "save_dialogs_fixture_win.h"

namespace veilo::testing {
namespace {

TEST_F(SaveDialogsTest, APngReducedTo16WithASpoitPickedColourHas16EntriesAndThatColourTransparent) {
  DocumentWindow* window = Open(WritePicture("photo.png", 60, 40, 3));  // far more than 256 colours
  ASSERT_NE(window, nullptr);
  const Colour picked = DocRgb(window->doc(), 7, 5);
  bool everyChoiceOffered = false, swatchOffAtFirst = false;
  Colour swatch{};
  SpoitPick spoit;
  ModalDriver driver(Join({{[&](HWND d) {
                              everyChoiceOffered = true;
                              for (int id : {IDC_PNG_REDUCE_NONE, IDC_PNG_REDUCE_16, IDC_PNG_REDUCE_32,
                                             IDC_PNG_REDUCE_64, IDC_PNG_REDUCE_128, IDC_PNG_REDUCE_256})
                                everyChoiceOffered = everyChoiceOffered && IsWindowEnabled(GetDlgItem(d, id));
                              swatchOffAtFirst = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_SWATCH));
                              return true;
                            },
                            Click(IDC_PNG_REDUCE_16), Click(IDC_PNG_TRANSPARENT)},
                           PickWithSpoit(spoit, IDC_PNG_SWATCH, 7, 5),
                           {[&](HWND d) {
                              swatch = SwatchMiddle(d, IDC_PNG_SWATCH);
                              return true;
                            },
                            Click(IDOK)}}));
  Key('S', false, true);
  ASSERT_TRUE(driver.Finished());
  EXPECT_FALSE(spoit.timedOut);
  EXPECT_TRUE(everyChoiceOffered);
  EXPECT_TRUE(swatchOffAtFirst);
  EXPECT_EQ(swatch, picked);

  const std::map<std::string, std::string> chunks = PngChunks(Bytes(window->doc().path));
  ASSERT_EQ(chunks.count("IHDR"), 1u);
  EXPECT_EQ(chunks.at("IHDR")[8], 8);  // bit depth
  EXPECT_EQ(chunks.at("IHDR")[9], 3);  // palette
  ASSERT_EQ(chunks.count("PLTE"), 1u);
  EXPECT_EQ(chunks.at("PLTE").size(), 16u * 3);
  EXPECT_EQ(ColourAt(chunks.at("PLTE"), 0), picked);  // the transparent colour comes first
  ASSERT_EQ(chunks.count("tRNS"), 1u);
  EXPECT_EQ(chunks.at("tRNS"), std::string(1, '\0'));
  ImageDoc back = Load(window->doc().path);
  EXPECT_EQ(back.useTransparent, 1);
  EXPECT_EQ(back.transparentColor, picked);
  EXPECT_EQ(DocRgb(back, 7, 5), picked);
  EXPECT_EQ(app().saveChoices.pngReduction, 16);
}

TEST_F(SaveDialogsTest, APngOffersOnlyTheReductionsThatReduceItsPalette) {
  ASSERT_NE(Open(WritePicture("few.png", 10, 10, 2)), nullptr);  // 100 colours
  app().saveChoices.pngReduction = 128;  // left from an earlier save: not offered here
  std::map<int, bool> offered;
  bool noneChecked = false;
  SaveWith({[&](HWND d) {
              for (int id : {IDC_PNG_REDUCE_NONE, IDC_PNG_REDUCE_16, IDC_PNG_REDUCE_32, IDC_PNG_REDUCE_64,
                             IDC_PNG_REDUCE_128, IDC_PNG_REDUCE_256})
                offered[id] = IsWindowEnabled(GetDlgItem(d, id)) != 0;
              noneChecked = ItemChecked(d, IDC_PNG_REDUCE_NONE) && !ItemChecked(d, IDC_PNG_REDUCE_128);
              return true;
            },
            Click(IDOK)});
  EXPECT_EQ(offered, (std::map<int, bool>{{IDC_PNG_REDUCE_NONE, true},
                                          {IDC_PNG_REDUCE_16, true},
                                          {IDC_PNG_REDUCE_32, true},
                                          {IDC_PNG_REDUCE_64, true},
                                          {IDC_PNG_REDUCE_128, false},
                                          {IDC_PNG_REDUCE_256, false}}));
  EXPECT_TRUE(noneChecked);
  EXPECT_EQ(app().saveChoices.pngReduction, 0);
  ImageDoc back = Load(Active()->doc().path);
  EXPECT_EQ(DescribePixelDifference(back, Active()->doc()), "");  // written exactly
}

TEST_F(SaveDialogsTest, AGifWith32ColoursInterlacedHasA32EntryTableAndTheInterlaceBit) {
  DocumentWindow* window = Open(WritePicture("photo.gif", 40, 30, 4));
  ASSERT_NE(window, nullptr);
  SaveWith({Click(IDC_GIF_COLOURS_32), Click(IDC_GIF_INTERLACE), Click(IDOK)});
  const std::string file = Bytes(window->doc().path);
  ASSERT_GT(file.size(), 130u);
  EXPECT_EQ(static_cast<uint8_t>(file[10]), 0x84);  // global table of 2^5 entries
  const size_t descriptor = 13 + 32 * 3 + 8;        // after the table and the control extension
  ASSERT_EQ(file[descriptor], 0x2C);
  EXPECT_EQ(static_cast<uint8_t>(file[descriptor + 9]) & 0x40, 0x40);
  ImageDoc back = Load(window->doc().path);
  EXPECT_LE(CountColours(DocPixels(back)).count, 32u);
  EXPECT_NE(CountColours(DocPixels(back)).count, 0u);

  // The choices hold for the next save of the run.
  EXPECT_EQ(app().saveChoices.gifMaxColours, 32);
  EXPECT_TRUE(app().saveChoices.gifInterlace);
  bool shown = false;
  SaveWith({[&](HWND d) {
              shown = ItemChecked(d, IDC_GIF_COLOURS_32) && !ItemChecked(d, IDC_GIF_COLOURS_256) &&
                      ItemChecked(d, IDC_GIF_INTERLACE);
              return true;
            },
            Click(IDCANCEL)});
  EXPECT_TRUE(shown);
}

TEST_F(SaveDialogsTest, AGifTakesTheBottomLeftColourOrTheSpoitsForThisSaveOnly) {
  DocumentWindow* window = Open(WritePicture("small.gif", 12, 9, 6));  // 108 colours: an exact palette
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->doc().useTransparent, 0);
  const Colour bottomLeft = DocRgb(window->doc(), 0, 8), picked = DocRgb(window->doc(), 5, 3);
  Colour first{}, second{};
  bool labelFollows = false;
  SpoitPick spoit;
  SaveWith(Join({{Click(IDC_GIF_TRANSPARENT),
                  [&](HWND d) {
                    first = SwatchMiddle(d, IDC_GIF_SWATCH);
                    labelFollows = IsWindowEnabled(GetDlgItem(d, IDC_GIF_SWATCH_LABEL)) != 0;
                    return true;
                  }},
                 PickWithSpoit(spoit, IDC_GIF_SWATCH, 5, 3),
                 {[&](HWND d) {
                    second = SwatchMiddle(d, IDC_GIF_SWATCH);
                    return true;
                  },
                  // Off and on again keeps the picked colour.
                  Click(IDC_GIF_TRANSPARENT), Click(IDC_GIF_TRANSPARENT), Click(IDOK)}}));
  EXPECT_FALSE(spoit.timedOut);
  EXPECT_EQ(first, bottomLeft);
  EXPECT_TRUE(labelFollows);
  EXPECT_EQ(second, picked);
  ImageDoc back = Load(window->doc().path);
  EXPECT_EQ(back.useTransparent, 1);
  EXPECT_EQ(back.transparentColor, picked);
  EXPECT_EQ(window->doc().useTransparent, 0);  // the document's own setting is untouched

  bool offAgain = false;
  SaveWith({[&](HWND d) {
              offAgain =
                  !ItemChecked(d, IDC_GIF_TRANSPARENT) && !IsWindowEnabled(GetDlgItem(d, IDC_GIF_SWATCH));
              return true;
            },
            Click(IDCANCEL)});
  EXPECT_TRUE(offAgain);
}

TEST_F(SaveDialogsTest, CancelWritesNothingAndPutsTheRunsChoicesBack) {
  struct Case {
    const char* name;
    std::vector<int> clicks;
  };
  const Case cases[] = {
      {"kept.gif", {IDC_GIF_COLOURS_16, IDC_GIF_INTERLACE, IDC_GIF_TRANSPARENT}},
      {"kept.png", {IDC_PNG_REDUCE_64, IDC_PNG_INTERLACE, IDC_PNG_TRANSPARENT}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DocumentWindow* window = Open(WritePicture(c.name, 30, 20, 8));
    ASSERT_NE(window, nullptr);
    const std::string before = Bytes(window->doc().path);
    const RunSaveChoices choices = app().saveChoices;
    boxes_.clear();
    std::vector<ModalDriver::Step> steps;
    for (int id : c.clicks) steps.push_back(Click(id));
    steps.push_back(Click(IDCANCEL));
    SaveWith(steps);
    EXPECT_EQ(Bytes(window->doc().path), before);
    EXPECT_EQ(app().saveChoices.gifMaxColours, choices.gifMaxColours);
    EXPECT_EQ(app().saveChoices.gifInterlace, choices.gifInterlace);
    EXPECT_EQ(app().saveChoices.pngReduction, choices.pngReduction);
    EXPECT_EQ(app().saveChoices.pngInterlace, choices.pngInterlace);
    EXPECT_EQ(window->doc().useTransparent, 0);
    if (std::strstr(c.name, ".gif")) {
      EXPECT_TRUE(boxes_.empty());  // a cancelled GIF dialog is no failure
    }
  }
}

TEST_F(SaveDialogsLanguageTest, TheDialogsTextsComeFromTheLanguageFile) {
  std::map<int, std::string> gif, png;
  const auto record = [](std::map<int, std::string>& texts, std::vector<int> ids) {
    return [&texts, ids](HWND d) {
      for (int id : ids) texts[id] = WindowTextOf(GetDlgItem(d, id));
      ClickItem(d, IDCANCEL);
      return true;
    };
  };
  ASSERT_NE(Open(WritePicture("lang.gif", 8, 8)), nullptr);
  SaveWith({record(gif, {IDC_GIF_COLOURS_GROUP, IDC_GIF_COLOURS_8, IDC_GIF_TRANSPARENT, IDC_GIF_SWATCH_LABEL,
                         IDC_GIF_INTERLACE, IDOK, IDCANCEL})});
  ASSERT_NE(Open(WritePicture("lang.png", 8, 8)), nullptr);
  SaveWith({record(png, {IDC_PNG_REDUCTION_GROUP, IDC_PNG_REDUCE_NONE, IDC_PNG_REDUCE_16, IDC_PNG_TEXT_GROUP,
                         IDC_PNG_KEY_LABEL, IDC_PNG_NEW_KEY_LABEL, IDC_PNG_ADD, IDC_PNG_DELETE,
                         IDC_PNG_INTERLACE, IDOK, IDCANCEL})});
  EXPECT_EQ(gif, (std::map<int, std::string>{{IDC_GIF_COLOURS_GROUP, "Max color"},
                                             {IDC_GIF_COLOURS_8, "8"},
                                             {IDC_GIF_TRANSPARENT, "Transparency"},
                                             {IDC_GIF_SWATCH_LABEL, "Color"},
                                             {IDC_GIF_INTERLACE, "Interlaced"},
                                             {IDOK, "&OK"},
                                             {IDCANCEL, "&Stop"}}));
  EXPECT_EQ(png, (std::map<int, std::string>{{IDC_PNG_REDUCTION_GROUP, "Reduction of color"},
                                             {IDC_PNG_REDUCE_NONE, "No Reduce"},
                                             {IDC_PNG_REDUCE_16, "16"},
                                             {IDC_PNG_TEXT_GROUP, "Text"},
                                             {IDC_PNG_KEY_LABEL, "Key"},
                                             {IDC_PNG_NEW_KEY_LABEL, "New key"},
                                             {IDC_PNG_ADD, "&Add"},
                                             {IDC_PNG_DELETE, "&Delete"},
                                             {IDC_PNG_INTERLACE, "Interlaced"},
                                             {IDOK, "&OK"},
                                             {IDCANCEL, "&Stop"}}));
}

}  // namespace
}  // namespace veilo::testing
