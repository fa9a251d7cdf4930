// Opening a file whose content is another picture format than its name says:
// the explanation with the offer to open it as what it is, from every road a
// file opens by; stepping through the folder explains it without asking.
#include <windows.h>

#include <string>

#include "app_fixture_win.h"
#include "formats/content_format.h"
#include "modal_driver_win.h"
#include "platform/wide_win.h"

namespace veilo::testing {
namespace {

class ContentMismatchTest : public AppTest {
 protected:
  // A 9 x 7 PNG picture (MakeNoiseDoc seed 4) under `name`.
  std::string WritePngAs(const std::string& name) {
    const std::string png = WritePicture("real.png", 9, 7, 4);
    const std::string path = folder_.Path(name);
    EXPECT_TRUE(CopyFileW(Wide(png).c_str(), Wide(path).c_str(), FALSE)) << name;
    return path;
  }
  static std::string JapaneseExplanation(const std::string& path) {
    return path + "\r拡張子からは BMP ファイルですが、内容が一致しません。このファイルの内容は PNG です。";
  }
};

TEST_F(ContentMismatchTest, APngNamedBmpIsExplainedAndOpensAsPngOnYesAndNotOnNo) {
  Start();
  const std::string path = WritePngAs("photo.bmp");
  answers_ = {IDNO};
  EXPECT_EQ(Open(path), nullptr);
  EXPECT_TRUE(app().documents.empty());
  ASSERT_EQ(boxes_.size(), 1u);  // the question alone: the BMP reader never ran
  EXPECT_EQ(boxes_[0].text, JapaneseExplanation(path) + "\rPNG として開きますか？");
  EXPECT_EQ(boxes_[0].caption, "Warning");
  EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));

  answers_ = {IDYES};
  DocumentWindow* window = Open(path);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(window->doc().path, path);
  EXPECT_EQ(Caption(window->hwnd()), "photo.bmp");
  ImageDoc expected = MakeNoiseDoc(9, 7, 4);
  EXPECT_EQ(DescribePixelDifference(window->doc(), expected), "");

  // Saving goes by the name as ever: the file becomes the BMP it is named.
  const ModalDriver acceptOptions({[](HWND d) {
    PostMessageW(d, WM_COMMAND, IDOK, 0);
    return true;
  }});
  Key('S', false, true);
  EXPECT_EQ(FormatOfFileContent(path), ImageFormat::kBmp);
  EXPECT_NE(Open(path), nullptr);  // a second window, without a question
  EXPECT_EQ(app().documents.size(), 2u);
  EXPECT_EQ(boxes_.size(), 2u);
}

TEST_F(ContentMismatchTest, WithALanguageFileTheQuestionIsInEnglish) {
  Start("; English\r\n[ETC]\r\n");
  const std::string path = WritePngAs("scan.gif");
  answers_ = {IDYES};
  DocumentWindow* window = Open(path);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, path +
                                "\rThe extension says this is a GIF file, but the content does not match: it is a "
                                "PNG file.\rDo you wish to open it as PNG?");
  ImageDoc expected = MakeNoiseDoc(9, 7, 4);
  EXPECT_EQ(DescribePixelDifference(window->doc(), expected), "");
}

// The first file of a command line is read ahead while the program starts;
// a mismatched one is left for the question at the first tick.
TEST_F(ContentMismatchTest, TheCommandLineAsksToo) {
  const std::string path = WritePngAs("first.bmp");
  answers_ = {IDYES};
  AppStartOptions start;
  start.paths.startDir = startDir_;
  start.paths.exeDir = exeDir_;
  start.paths.winIniFile = folder_.Path("win.ini");
  start.pendingCommandLine = "\"" + path + "\"";
  ASSERT_TRUE(StartApp(GetModuleHandleW(nullptr), start));
  ASSERT_TRUE(PumpUntil([&] { return TheApp().documents.size() == 1; }));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].type & 0xF, static_cast<UINT>(MB_YESNO));
  ImageDoc expected = MakeNoiseDoc(9, 7, 4);
  EXPECT_EQ(DescribePixelDifference(app().documents[0]->doc(), expected), "");
}

TEST_F(ContentMismatchTest, SteppingOntoSuchAFileExplainsItWithoutAskingAndKeepsThePicture) {
  Start();
  CreateDirectoryW(Wide(folder_.Path("pics")).c_str(), nullptr);
  const std::string a = WritePicture("pics/a.bmp", 5, 4, 1), b = WritePngAs("pics/b.bmp");
  WritePicture("pics/c.bmp", 6, 3, 2);
  DocumentWindow* window = Open(a);
  ASSERT_NE(window, nullptr);
  Key(VK_SPACE);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, JapaneseExplanation(b));
  EXPECT_EQ(boxes_[0].caption, "Error!");
  EXPECT_EQ(boxes_[0].type & 0xF, static_cast<UINT>(MB_OK));
  EXPECT_EQ(window->doc().path, a);
  EXPECT_EQ(window->doc().width, 5);
  EXPECT_EQ(app().documents.size(), 1u);
}

}  // namespace
}  // namespace veilo::testing
