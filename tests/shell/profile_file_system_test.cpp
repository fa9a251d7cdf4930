// On Windows (and under Wine) the system's own profile functions must read
// our files as we do, and we must read theirs.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include "profile_temp_dir.h"
#include "shell/profile_file.h"

namespace veilo {
namespace {

constexpr char kAbsent[] = "<absent>";

std::string SystemValue(const std::string& path, const char* section, const char* key) {
  char buffer[256] = {};
  GetPrivateProfileStringA(section, key, kAbsent, buffer, sizeof buffer, path.c_str());
  return buffer;
}

TEST(ProfileFileAgreement, SystemReadsValuesAsWeDo) {
  const char* const files[] = {
      "[Veilo By KESTRANI]\r\nzoomed=1\r\n",
      "  [ S ]  \r\n\t key \t=  a b  \r\n",
      "[S]\r\nk=\" x \"\r\n",
      "[S]\r\nk='x'\r\n",
      "[S]\r\nk='Space' bar\r\n",
      "[S]\r\nk=a=b\r\n",
      "[S]\r\nk=1\r\nk=2\r\n",
      "[S]\r\n[T]\r\nk=1\r\n",
      "k=1\r\n[S]\r\n",
      "[S]\r\nk=1",
  };
  const char* const lookups[][2] = {{"veilo by Kestrani", "Zoomed"}, {"S", "key"}, {"S", "k"}};
  testing::ProfileTempDir dir;
  for (const char* file : files) {
    dir.Write("a.ini", file);
    const ProfileText ours = ParseProfile(file);
    for (const auto& lookup : lookups) {
      const std::string expected = FindProfileValue(ours, lookup[0], lookup[1]).value_or(kAbsent);
      EXPECT_EQ(SystemValue(dir.Path("a.ini"), lookup[0], lookup[1]), expected) << file;
    }
  }
}

TEST(ProfileFileAgreement, EachReadsWhatTheOtherWrote) {
  testing::ProfileTempDir dir;
  const std::string start = "; notes\r\n[Other]\r\nx=1\r\n[S]\r\nkeep=2\r\nK=old\r\n";
  dir.Write("ours.ini", start);
  dir.Write("system.ini", start);
  const std::vector<std::pair<std::string, std::string>> values = {{"k", "new"}, {"added", "3 4"}};
  ASSERT_TRUE(WriteProfileValues(dir.Path("ours.ini"), "S", values));
  for (const auto& [key, value] : values) {
    ASSERT_TRUE(WritePrivateProfileStringA("S", key.c_str(), value.c_str(), dir.Path("system.ini").c_str()));
  }
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, dir.Path("system.ini").c_str());  // flush the cache

  const std::optional<ProfileText> systemWritten = ReadProfileFile(dir.Path("system.ini"));
  ASSERT_TRUE(systemWritten.has_value());
  const char* const keys[][2] = {{"S", "k"}, {"S", "added"}, {"S", "keep"}, {"Other", "x"}};
  for (const auto& key : keys) {
    EXPECT_EQ(SystemValue(dir.Path("ours.ini"), key[0], key[1]),
              FindProfileValue(*systemWritten, key[0], key[1]).value_or(kAbsent))
        << key[1];
  }
}

}  // namespace
}  // namespace veilo
#endif  // _WIN32
