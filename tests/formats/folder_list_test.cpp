#include "formats/folder_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"
#include "temp_folder.h"

namespace veilo {
namespace {

TEST(FilePattern, MatchesLikeTheDirectorySearch) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"a.jpg", "*.jpg", true},      {"A.JPG", "*.jpg", true},     {"a.jpeg", "*.jpg", false},
      {"a.jpeg", "*.jpe", false},    {"a.jpg.bak", "*.jpg", false}, {"x.y.gif", "*.gif", true},
      {".gif", "*.gif", true},       {"gif", "*.gif", false},       {"a.tif", "*.tiff", false},
      {"a.tiff", "*.tif", false},    {"ab", "a?", true},            {"a", "a?", false},
      {"aaaaaaaaab", "*a*b", true},  {"aaaaaaaaa", "*a*b", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesFilePattern(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
}

TEST(NeighbourInList, OrderDuplicatesAndEnds) {
  const std::vector<std::string> list = {"/p/c.gif", "/p/a.jpg", "/p/B.png", "/p/a.jpg", "/p/A.JPG"};
  EXPECT_EQ(NeighbourInList(list, "/p/a.jpg", false), "/p/B.png");  // duplicates of the current path skipped
  EXPECT_EQ(NeighbourInList(list, "/p/a.jpg", true), std::nullopt);
  EXPECT_EQ(NeighbourInList(list, "/p/B.png", true), "/p/a.jpg");
  EXPECT_EQ(NeighbourInList(list, "/p/c.gif", false), std::nullopt);
  // A current file that no pattern found still takes its place in the order.
  EXPECT_EQ(NeighbourInList(list, "/p/b.jp2", false), "/p/B.png");
  EXPECT_EQ(NeighbourInList(list, "/p/b.jp2", true), "/p/a.jpg");
  EXPECT_EQ(NeighbourInList({}, "/p/only.jpg", false), std::nullopt);
}

class FolderTest : public ::testing::Test {
 protected:
  void Touch(const std::string& name) { ASSERT_TRUE(OpenFile(folder_.Path(name), "wb")) << name; }
  testing::TempFolder folder_;
};

TEST_F(FolderTest, StepsThroughThePictureFilesByName) {
  for (const char* name : {"a.jpg", "B.png", "c.gif", "d.txt", "e.TIFF", "f.jpeg", "g.dib", "h.jp2", "i.J2K", "j.jpx",
                           "k.jfif"})
    Touch(name);
  std::filesystem::create_directory(folder_.Path("folder.bmp"));  // a folder named like a picture is listed
  const auto next = [&](const char* name, bool back) { return NextFileInFolder(folder_.Path(name), back); };
  EXPECT_EQ(next("a.jpg", false), folder_.Path("B.png"));
  EXPECT_EQ(next("a.jpg", true), std::nullopt);
  EXPECT_EQ(next("c.gif", false), folder_.Path("e.TIFF"));  // d.txt is not a picture
  EXPECT_EQ(next("e.TIFF", false), folder_.Path("f.jpeg"));
  EXPECT_EQ(next("e.TIFF", true), folder_.Path("c.gif"));
  EXPECT_EQ(next("f.jpeg", true), folder_.Path("e.TIFF"));
  EXPECT_EQ(next("B.png", false), folder_.Path("c.gif"));
  EXPECT_EQ(next("a.jpg", false), folder_.Path("B.png"));
  EXPECT_EQ(next("d.txt", false), folder_.Path("e.TIFF"));  // the current file is placed even if not listed
  EXPECT_EQ(next("b.jpg", false), folder_.Path("B.png"));   // nor need it exist
  EXPECT_EQ(next("d.txt", true), folder_.Path("c.gif"));
  EXPECT_EQ(next("f.jpeg", false), folder_.Path("folder.bmp"));
  EXPECT_EQ(next("folder.bmp", false), folder_.Path("g.dib"));
  EXPECT_EQ(next("g.dib", false), folder_.Path("h.jp2"));  // the JPEG 2000 names are listed
  EXPECT_EQ(next("h.jp2", false), folder_.Path("i.J2K"));
  EXPECT_EQ(next("i.J2K", false), folder_.Path("j.jpx"));
  EXPECT_EQ(next("j.jpx", false), std::nullopt);  // k.jfif is not listed: it is only placed when current
  EXPECT_EQ(next("k.jfif", false), std::nullopt);
  EXPECT_EQ(next("k.jfif", true), folder_.Path("j.jpx"));

  // Both neighbours from one search are the ones each step finds.
  for (const char* name : {"a.jpg", "B.png", "d.txt", "b.jpg", "folder.bmp", "j.jpx", "k.jfif"}) {
    const FolderNeighbours both = NeighboursInFolder(folder_.Path(name));
    EXPECT_EQ(both.next, next(name, false)) << name;
    EXPECT_EQ(both.previous, next(name, true)) << name;
  }
}

TEST_F(FolderTest, PictureFilesOfAFolderAreListedOnceInNameOrder) {
  for (const char* name : {"c.gif", "a.jpg", "B.png", "d.txt", "e.TIFF", "h.jp2", "A.jpeg"}) Touch(name);
  std::filesystem::create_directory(folder_.Path("folder.bmp"));  // not a picture to work on
  const std::string dir = folder_.Path("");
  const std::string bare = dir.substr(0, dir.size() - 1);
  const char separator = dir.back();
  const std::vector<std::string> want = {folder_.Path("A.jpeg"), folder_.Path("a.jpg"), folder_.Path("B.png"),
                                         folder_.Path("c.gif"), folder_.Path("e.TIFF"), folder_.Path("h.jp2")};
  EXPECT_EQ(PictureFilesInFolder(bare, separator), want);
  EXPECT_EQ(PictureFilesInFolder(dir, separator), want);  // no second separator
  EXPECT_EQ(PictureFilesInFolder(folder_.Path("absent"), separator), std::vector<std::string>{});
}

TEST_F(FolderTest, NoFolderOrAMissingOneHasNoNeighbour) {
  EXPECT_EQ(NextFileInFolder("photo.jpg", false), std::nullopt);
  EXPECT_EQ(NextFileInFolder(folder_.Path("absent/a.jpg"), false), std::nullopt);
  const FolderNeighbours none = NeighboursInFolder(folder_.Path("absent/a.jpg"));
  EXPECT_FALSE(none.next || none.previous);
}

}  // namespace
}  // namespace veilo
