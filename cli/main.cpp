// veilo-cli: batch masking and conversion over the same core as the application.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"

#ifdef _WIN32
#include "platform/utf.h"
#endif

namespace {

int Run(std::vector<std::string> args) {
  using namespace veilo::cli;
  if (args.empty()) {
    PrintUsage(true);
    return kExitUsage;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    PrintUsage(false);
    return kExitOk;
  }
  if (command == "mask") return RunMask(args);
  if (command == "detect") return RunDetect(args);
  if (command == "convert") return RunConvert(args);
  if (command == "info") return RunInfo(args);
  if (command == "next") return RunNext(args);
  std::fprintf(stderr, "veilo-cli: unknown command '%s'\nTry 'veilo-cli --help'.\n", command.c_str());
  return kExitUsage;
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so that file names in any script reach us intact.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring w(argv[i]);
    args.push_back(veilo::Utf16ToUtf8(std::u16string(w.begin(), w.end())));
  }
  return Run(std::move(args));
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
