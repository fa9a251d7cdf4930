#pragma once
#include <string>
#include <vector>

namespace veilo::cli {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

int RunMask(const std::vector<std::string>& args);
int RunDetect(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);
int RunInfo(const std::vector<std::string>& args);
int RunNext(const std::vector<std::string>& args);
void PrintUsage(bool toStderr);

// Prints why the arguments were refused; returns kExitUsage.
int UsageError(const std::string& why);

}  // namespace veilo::cli
