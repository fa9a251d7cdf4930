#include "tools/slide_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "platform/file_io.h"
#include "temp_folder.h"

namespace veilo {
namespace {

std::vector<std::string> Paths(const SlideList& list) {
  std::vector<std::string> paths;
  for (const SlideEntry& e : list) paths.push_back(e.path);
  return paths;
}

TEST(SlideFormat, ByTheTextAfterTheLastDot) {
  struct Case {
    const char* name;
    std::optional<SlideFormat> format;
  };
  const Case cases[] = {
      {"a.jpg", SlideFormat::kJpeg}, {"a.JPEG", SlideFormat::kJpeg}, {"a.Jpe", SlideFormat::kJpeg},
      {"a.bmp", SlideFormat::kBmp},  {"a.DIB", SlideFormat::kBmp},   {"a.gif", SlideFormat::kGif},
      {"a.png", SlideFormat::kPng},  {"a.tif", SlideFormat::kTiff},  {"a.TIFF", SlideFormat::kTiff},
      {"a.jpg.txt", std::nullopt},   {"jpg", std::nullopt},          {"a.jfif", std::nullopt},
      {"a.tiffx", std::nullopt},     {"a.", std::nullopt},           {"x.y.png", SlideFormat::kPng},
      {"a.jp2", SlideFormat::kJpeg2000}, {"a.JPC", SlideFormat::kJpeg2000}, {"a.j2k", SlideFormat::kJpeg2000},
      {"a.J2C", SlideFormat::kJpeg2000}, {"a.jpf", SlideFormat::kJpeg2000}, {"a.Jpx", SlideFormat::kJpeg2000},
      {"a.jp2.txt", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(SlideFormatForName(c.name), c.format) << c.name;
}

// Ordering alone, on entries as a scan leaves them (path and depth).
SlideList Scanned(std::initializer_list<std::pair<const char*, int32_t>> entries) {
  SlideList list;
  for (const auto& [path, depth] : entries) list.push_back({path, SlideFormat::kJpeg, depth});
  return list;
}

TEST(SlideOrder, EachFolderTogetherOwnFilesFirst) {
  struct Case {
    const char* what;
    SlideList scanned;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"a sub-folder between the folder's own files keeps its own group",
       Scanned({{"/p/z.jpg", 1}, {"/p/b/x.jpg", 2}, {"/p/a.jpg", 1}}),
       {"/p/a.jpg", "/p/z.jpg", "/p/b/x.jpg"}},
      {"path order ignores case",
       Scanned({{"/p/C.jpg", 1}, {"/p/a.jpg", 1}, {"/p/B.jpg", 1}}),
       {"/p/a.jpg", "/p/B.jpg", "/p/C.jpg"}},
      {"a folder whose first file comes after its sub-folder",
       Scanned({{"/p/a.jpg", 1}, {"/p/b/c/x.jpg", 3}, {"/p/b/y.jpg", 2}}),
       {"/p/a.jpg", "/p/b/c/x.jpg", "/p/b/y.jpg"}},
      {"a sibling met at a depth never joins an earlier folder's group",
       Scanned({{"/p/b/a.jpg", 2}, {"/p/b/c/y.jpg", 3}, {"/p/d/e/z.jpg", 3}, {"/p/d/w.jpg", 2}}),
       {"/p/b/a.jpg", "/p/b/c/y.jpg", "/p/d/e/z.jpg", "/p/d/w.jpg"}},
      {"a folder named like the start of another is not its parent",
       Scanned({{"/p/a.jpg", 1}, {"/p/b/x.jpg", 2}, {"/p/b/y/z.jpg", 3}, {"/p/bb/w.jpg", 2}}),
       {"/p/a.jpg", "/p/b/x.jpg", "/p/b/y/z.jpg", "/p/bb/w.jpg"}},
      {"two folders at the same depth one after the other",
       Scanned({{"/p/b/2.jpg", 2}, {"/p/a/1.jpg", 2}, {"/p/a/3.jpg", 2}}),
       {"/p/a/1.jpg", "/p/a/3.jpg", "/p/b/2.jpg"}},
  };
  for (const Case& c : cases) {
    SlideList list = c.scanned;
    OrderSlideEntries(list, 0);
    EXPECT_EQ(Paths(list), c.expected) << c.what;
  }
}

TEST(SlideOrder, DeepFoldersKeepTheirFilesTogether) {
  // A folder 21 levels down whose files are split by a sub-folder's run.
  std::string deep = "/p";
  for (int i = 0; i < 20; ++i) deep += "/d";
  SlideList list = Scanned({});
  list.push_back({deep + "/z.jpg", SlideFormat::kJpeg, 21});
  list.push_back({deep + "/m/x.jpg", SlideFormat::kJpeg, 22});
  list.push_back({deep + "/a.jpg", SlideFormat::kJpeg, 21});
  list.push_back({"/p/top.jpg", SlideFormat::kJpeg, 1});
  OrderSlideEntries(list, 0);
  // "/p/d/..." sorts before "/p/top.jpg", so the deep folder comes first.
  EXPECT_EQ(Paths(list),
            (std::vector<std::string>{deep + "/a.jpg", deep + "/z.jpg", deep + "/m/x.jpg", "/p/top.jpg"}));
  EXPECT_EQ(list[0].group, list[1].group);
  EXPECT_NE(list[1].group, list[2].group);
}

TEST(SlideOrder, OnlyFromTheStartPosition) {
  SlideList list = Scanned({{"/q/z.jpg", 0}, {"/p/y.jpg", 1}, {"/p/x.jpg", 1}});
  OrderSlideEntries(list, 1);
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"/q/z.jpg", "/p/x.jpg", "/p/y.jpg"}));
  EXPECT_EQ(list[0].group, 0);  // the earlier entry keeps what it had
  OrderSlideEntries(list, 3);   // nothing after the end
  OrderSlideEntries(list, 7);
  EXPECT_EQ(list.size(), 3u);
}

// Paths are built part by part, so they carry the separator the scan itself uses.
class SlideFolderTest : public ::testing::Test {
 protected:
  std::string At(std::initializer_list<std::string> parts) const {
    std::filesystem::path path = folder_.Path("");
    for (const std::string& part : parts) path /= part;
    return path.string();
  }
  std::string Pic(std::initializer_list<std::string> parts) const {
    std::vector<std::string> all{"pics"};
    all.insert(all.end(), parts);
    std::filesystem::path path = folder_.Path("");
    for (const std::string& part : all) path /= part;
    return path.string();
  }
  void Touch(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(OpenFile(path, "wb")) << path;
  }
  std::string root() const { return At({"pics"}); }
  testing::TempFolder folder_;
};

TEST_F(SlideFolderTest, SubFolderFilesAfterTheFoldersOwn) {
  for (const std::string& path :
       {Pic({"a.jpg"}), Pic({"b", "x.jpg"}), Pic({"z.jpg"}), Pic({"notes.txt"}), Pic({"c.JPE"})})
    Touch(path);
  const SlideList with = BuildSlideListFromFolder(root(), true);
  EXPECT_EQ(Paths(with),
            (std::vector<std::string>{Pic({"a.jpg"}), Pic({"c.JPE"}), Pic({"z.jpg"}), Pic({"b", "x.jpg"})}));
  const SlideList without = BuildSlideListFromFolder(root(), false);
  EXPECT_EQ(Paths(without), (std::vector<std::string>{Pic({"a.jpg"}), Pic({"c.JPE"}), Pic({"z.jpg"})}));
  EXPECT_TRUE(BuildSlideListFromFolder(At({"missing"}), true).empty());
}

TEST_F(SlideFolderTest, ScanRecordsDepthsAndFormats) {
  Touch(Pic({"a.gif"}));
  Touch(Pic({"s", "t", "u.PNG"}));
  SlideList list;
  ScanSlidePath(list, Pic({"s", "t", "u.PNG"}), 0, true);
  ScanSlidePath(list, Pic({"s"}), 0, true);
  ScanSlidePath(list, root(), 0, false);  // without sub-folders the folder's own files only
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].group, 0);  // named directly
  EXPECT_EQ(list[1].group, 2);  // s -> t -> u.PNG
  EXPECT_EQ(list[1].format, SlideFormat::kPng);
  EXPECT_EQ(list[2].path, Pic({"a.gif"}));
  EXPECT_EQ(list[2].group, 1);
  EXPECT_EQ(list[2].format, SlideFormat::kGif);
}

TEST_F(SlideFolderTest, TwentyFiveLevelsDeep) {
  // The folder 25 levels down has its files split by its sub-folder's run in path order.
  std::filesystem::path deep = root();
  for (int i = 0; i < 25; ++i) deep /= "d";
  for (const char* name : {"a.bmp", "sub/x.bmp", "z.bmp"}) Touch((deep / name).string());
  Touch(Pic({"top.bmp"}));
  const SlideList list = BuildSlideListFromFolder(root(), true);
  EXPECT_EQ(Paths(list), (std::vector<std::string>{(deep / "a.bmp").string(), (deep / "z.bmp").string(),
                                                   (deep / "sub" / "x.bmp").string(), Pic({"top.bmp"})}));
}

TEST_F(SlideFolderTest, AFolderLinkBackToItsParentEnds) {
  Touch(Pic({"a.jpg"}));
  std::error_code error;
  std::filesystem::create_directory_symlink(root(), Pic({"loop"}), error);
  if (error) GTEST_SKIP() << "no folder links here";
  const SlideList list = BuildSlideListFromFolder(root(), true);
  // a.jpg once per level entered, until the system or the depth bound stops it.
  EXPECT_GE(list.size(), 2u);
  EXPECT_LE(list.size(), static_cast<size_t>(kMaxSlideScanDepth));
}

TEST_F(SlideFolderTest, ArgumentsInTheirOrder) {
  for (const std::string& path :
       {Pic({"b.jpg"}), Pic({"a.jpg"}), At({"other", "z.png"}), At({"other", "readme.txt"})})
    Touch(path);
  const auto list = BuildSlideListFromArguments({At({"other", "z.png"}), root()}, true);
  ASSERT_TRUE(list);
  EXPECT_EQ(Paths(*list), (std::vector<std::string>{At({"other", "z.png"}), Pic({"a.jpg"}), Pic({"b.jpg"})}));
  // A file that is not a picture adds nothing; a name that is nowhere ends the whole list.
  const auto text = BuildSlideListFromArguments({At({"other", "readme.txt"})}, true);
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->empty());
  EXPECT_EQ(BuildSlideListFromArguments({root(), At({"nothing.jpg"})}, true), std::nullopt);
}

}  // namespace
}  // namespace veilo
