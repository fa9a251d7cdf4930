#include "tools/twain_types.h"

#include <cstring>

namespace veilo {

namespace {

template <size_t N>
void CopyText(char (&field)[N], const char* text) {
  std::strncpy(field, text, N - 1);
  field[N - 1] = '\0';
}

}  // namespace

TwIdentity ApplicationIdentity() {
  TwIdentity id;
  id.version.majorNum = 1;
  id.version.minorNum = 703;
  id.version.language = 13;  // TWLG_USA
  id.version.country = 1;    // TWCY_USA
  CopyText(id.version.info, "Veilo 2.0  10/14/2005");
  id.protocolMajor = 1;
  id.protocolMinor = 7;
  id.supportedGroups = kDgControl | kDgImage;
  CopyText(id.manufacturer, "Veilo developers");
  CopyText(id.productFamily, "Veilo");
  CopyText(id.productName, "Veilo");
  return id;
}

std::string TwainManagerPath(std::string_view windowsFolder, std::string_view fileName) {
  std::string path(windowsFolder);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path.append(fileName);
}

}  // namespace veilo
