#pragma once
// The batch forms of mask and convert (see batch_plan.h for what is written where).
#include <string>
#include <vector>

namespace veilo::cli {

int RunMaskBatch(const std::vector<std::string>& args);
int RunConvertBatch(const std::vector<std::string>& args);

}  // namespace veilo::cli
