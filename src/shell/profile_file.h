#pragma once
// INI ("profile") files read and written the way the Windows profile
// functions do, so that a file written by either can be read by the other:
// sections and keys are found without regard to ASCII case, keys and values
// are trimmed of blanks, a value in matching single or double quotes loses
// them, lines before the first section belong to no section, and writing a
// value changes only the line of that key. Comments, blank lines, unknown keys
// and unknown sections stay byte for byte; new keys go to the end of their
// section, new sections to the end of the file, both with CR LF line ends.
//
// The text is handled as bytes (the system code page on Windows); the syntax
// characters are all ASCII and none of them can be the second byte of a
// Shift-JIS character, so multi-byte text passes through unchanged.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veilo {

struct ProfileLine {
  std::string text;    // the line without its line end
  std::string ending;  // "\r\n", "\n" or "" (last line without a line end)
};

struct ProfileText {
  std::vector<ProfileLine> lines;
};

ProfileText ParseProfile(std::string_view bytes);
std::string SerializeProfile(const ProfileText& profile);

// The value of `key` in `section` (first of each when repeated), trimmed and
// unquoted; nullopt when the section or the key is absent.
std::optional<std::string> FindProfileValue(const ProfileText& profile, std::string_view section,
                                            std::string_view key);

// GetPrivateProfileString: the value, or `defaultValue` (trailing blanks
// removed) when absent, cut to bufferBytes - 1 bytes.
std::string GetProfileString(const ProfileText& profile, std::string_view section, std::string_view key,
                             std::string_view defaultValue, size_t bufferBytes);

// WritePrivateProfileString for one key: replaces the key's line (keeping the
// key's spelling in the file), or appends the key to its section, or appends
// the section.
void SetProfileValue(ProfileText& profile, std::string_view section, std::string_view key,
                     std::string_view value);

// Whole files. A missing file reads as empty. Reading fails (nullopt) when the
// path is a folder or the file cannot be read.
std::optional<ProfileText> ReadProfileFile(const std::string& path);

// Sets the values in order and writes the file through a temporary file that
// replaces it, so the old file stays whole when writing fails part-way. A file
// that exists but cannot be read is left alone (false), rather than being
// replaced by one holding only these keys.
bool WriteProfileValues(const std::string& path, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& values);

}  // namespace veilo
