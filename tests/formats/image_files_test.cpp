#include "formats/image_files.h"

#include <gtest/gtest.h>

namespace veilo {
namespace {

TEST(FileTitleOf, IsTheNameAfterTheLastSeparator) {
  EXPECT_EQ(FileTitleOf("/photos/a.b/photo"), "photo");
  EXPECT_EQ(FileTitleOf("写真/花 ß 🌸.png"), "花 ß 🌸.png");
  EXPECT_EQ(FileTitleOf("plain.jpg"), "plain.jpg");
  EXPECT_EQ(FileTitleOf("folder/"), "");
}

}  // namespace
}  // namespace veilo
