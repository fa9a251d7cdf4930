#include "shell/profile_file.h"

#include <gtest/gtest.h>

#include "profile_temp_dir.h"

namespace veilo {
namespace {

struct LookupCase {
  const char* name;
  const char* file;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class ProfileLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ProfileLookup, FindsValuesAsTheProfileFunctionsDo) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(FindProfileValue(ParseProfile(c.file), c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileLookup,
    ::testing::Values(
        LookupCase{"IgnoresCaseOfSectionAndKey", "[Veilo By KESTRANI]\r\nzoomed=1\r\n", "veilo by Kestrani",
                   "Zoomed", "1"},
        LookupCase{"TrimsBlanks", "  [ S ]  \r\n\t key \t=  a b  \r\n", "S", "key", "a b"},
        LookupCase{"LfOnlyLines", "[S]\nk=v\n", "S", "k", "v"},
        LookupCase{"StripsDoubleQuotes", "[S]\r\nk=\" x \"\r\n", "S", "k", " x "},
        LookupCase{"StripsSingleQuotes", "[S]\r\nk='x'\r\n", "S", "k", "x"},
        LookupCase{"KeepsUnmatchedQuotes", "[S]\r\nk='Space' bar\r\n", "S", "k", "'Space' bar"},
        LookupCase{"ValueMayHoldEquals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        LookupCase{"EmptyValue", "[S]\r\nk=\r\n", "S", "k", ""},
        LookupCase{"CommentIsNoKey", "[S]\r\n;k=1\r\n", "S", "k", std::nullopt},
        LookupCase{"FirstOfRepeatedKeys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},
        LookupCase{"FirstOfRepeatedSections", "[S]\r\na=1\r\n[S]\r\nk=2\r\n", "S", "k", std::nullopt},
        LookupCase{"SectionEndsAtNextHeader", "[S]\r\n[T]\r\nk=1\r\n", "S", "k", std::nullopt},
        LookupCase{"KeysBeforeAnySectionBelongToNone", "k=1\r\n[S]\r\n", "S", "k", std::nullopt},
        LookupCase{"MissingSection", "[T]\r\nk=1\r\n", "S", "k", std::nullopt},
        LookupCase{"LastLineWithoutLineEnd", "[S]\r\nk=1", "S", "k", "1"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ProfileString, DefaultLosesTrailingBlanksAndValuesAreCutToTheBuffer) {
  const ProfileText profile = ParseProfile("[S]\r\nk=abcdef\r\n");
  EXPECT_EQ(GetProfileString(profile, "S", "k", "", 4), "abc");
  EXPECT_EQ(GetProfileString(profile, "S", "missing", "dflt  ", 80), "dflt");
  EXPECT_EQ(GetProfileString(profile, "S", "missing", "dflt", 3), "df");
}

struct WriteCase {
  const char* name;
  const char* before;
  const char* key;
  const char* value;
  const char* after;
};

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyWhatItMust) {
  const WriteCase& c = GetParam();
  ProfileText profile = ParseProfile(c.before);
  SetProfileValue(profile, "S", c.key, c.value);
  EXPECT_EQ(SerializeProfile(profile), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    ::testing::Values(
        WriteCase{"EmptyFileGetsSectionAndKey", "", "k", "v", "[S]\r\nk=v\r\n"},
        WriteCase{"ReplacesInPlaceKeepingKeySpellingAndLineEnds", "; c\n[s]\n  KEY = old \n; tail\n", "key",
                  "new", "; c\n[s]\nKEY=new\n; tail\n"},
        WriteCase{"AppendsKeyAfterLastLineOfSection", "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n", "k", "v",
                  "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nb=2\r\n"},
        WriteCase{"AppendsKeyToEmptySection", "[S]\r\n[T]\r\n", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"},
        WriteCase{"AppendsSectionAfterLastLineWithoutLineEnd", "[T]\r\nb=2", "k", "v",
                  "[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
        WriteCase{"KeyAtEndOfFileWithoutLineEnd", "[S]\r\na=1", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        WriteCase{"LineEndInValueCannotStartANewLine", "", "k", "a\r\n[X]", "[S]\r\nk=a\r\n"},
        WriteCase{"KeepsMultiByteBytes", "[S]\r\nj=\x95\x5C\r\n", "k", "\x83\x5C", "[S]\r\nj=\x95\x5C\r\nk=\x83\x5C\r\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ProfileFile, WritingKeepsCommentsUnknownKeysAndSectionsAndLeavesNoTemporaryFile) {
  testing::ProfileTempDir dir;
  dir.Write("a.ini", "; my notes\r\n[Other]\r\nx=1\r\n[S]\r\nUnknown=7\r\nk=old\r\n");
  ASSERT_TRUE(WriteProfileValues(dir.Path("a.ini"), "S", {{"k", "new"}, {"n", "2"}}));
  EXPECT_EQ(dir.Read("a.ini"), "; my notes\r\n[Other]\r\nx=1\r\n[S]\r\nUnknown=7\r\nk=new\r\nn=2\r\n");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(ProfileFile, MissingFileReadsEmptyAndIsCreatedOnWrite) {
  testing::ProfileTempDir dir;
  const std::optional<ProfileText> missing = ReadProfileFile(dir.Path("new.ini"));
  ASSERT_TRUE(missing.has_value());
  EXPECT_TRUE(missing->lines.empty());
  ASSERT_TRUE(WriteProfileValues(dir.Path("new.ini"), "S", {{"k", "v"}}));
  EXPECT_EQ(dir.Read("new.ini"), "[S]\r\nk=v\r\n");
}

TEST(ProfileFile, FolderOrUnreachablePathIsNeitherReadNorWritten) {
  testing::ProfileTempDir dir;
  std::filesystem::create_directory(dir.Path("folder.ini"));
  EXPECT_FALSE(ReadProfileFile(dir.Path("folder.ini")).has_value());
  EXPECT_FALSE(WriteProfileValues(dir.Path("folder.ini"), "S", {{"k", "v"}}));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path("folder.ini")));
  EXPECT_FALSE(WriteProfileValues(dir.Path("no-such-folder/a.ini"), "S", {{"k", "v"}}));
  EXPECT_EQ(dir.EntryCount(), 1u);
}

}  // namespace
}  // namespace veilo
