#pragma once
// veilo-cli.exe, built next to the test programs' folder, run as a process.
#include <string>

namespace veilo::testing {

std::wstring CliProgram();
// Runs veilo-cli with the arguments; its exit code (-1 when it could not start or hung).
int RunCli(const std::wstring& arguments);

}  // namespace veilo::testing
