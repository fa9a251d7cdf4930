#pragma once
#include <string>
#include <vector>

namespace veilo::cli {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

int RunMask(const std::vector<std::string>& args);
int RunDetect(const std::vector<std::string>& args);
void PrintUsage(bool toStderr);

}  // namespace veilo::cli
