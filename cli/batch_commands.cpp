// mask and convert over many files: IN [IN ...] --out-dir DIR or --in-place.
#include <cstdio>

#include "batch_commands.h"
#include "batch_plan.h"
#include "batch_run.h"
#include "commands.h"
#include "picture_jobs.h"
#include "platform/file_io.h"

namespace veilo::cli {

namespace {

int RunPlanned(const BatchArgs& batch, const BatchWork& work) {
  const std::string refused = CheckBatchArgs(batch);
  if (!refused.empty()) return UsageError(refused);
  if (batch.outDir && !IsDirectory(*batch.outDir)) {
    std::fprintf(stderr, "veilo-cli: the output folder %s does not exist\n", batch.outDir->c_str());
    return kExitFailed;
  }
  return RunBatch(PlanBatch(batch), batch.threads.value_or(DefaultThreadCount()), work);
}

}  // namespace

int RunMaskBatch(const std::vector<std::string>& args) {
  BatchArgs batch;
  MaskJob job;
  bool haveArea = false;
  size_t i = 0;
  // The files come first: after them, a word that is no option is an operation.
  for (; i < args.size() && !IsOptionWord(args[i]); ++i) batch.inputs.push_back(args[i]);
  for (; i < args.size(); ++i) {
    std::string error;
    OptionParse option = ParseBatchOption(args, i, batch, error);
    if (option == OptionParse::kNotAnOption) option = ParseFileOption(args, i, job.fileOptions, error);
    if (option == OptionParse::kBad) return UsageError(error);
    if (option == OptionParse::kTaken) continue;
    if (args[i] == "--area") {
      if (i + 1 >= args.size()) return UsageError("--area needs X1,Y1,X2,Y2 or auto:X,Y");
      const std::optional<AreaArg> area = ParseAreaArg(args[++i]);
      if (!area) return UsageError("--area needs four numbers X1,Y1,X2,Y2 or auto:X,Y (0..65535)");
      job.area = *area;
      haveArea = true;
      continue;
    }
    const StepParse parsed = ParseMaskStep(args[i]);
    if (!parsed.step) return UsageError(parsed.error);
    job.steps.push_back(*parsed.step);
  }
  if (batch.inputs.empty()) return UsageError("mask needs the input files before the options");
  if (!haveArea) return UsageError("mask needs --area X1,Y1,X2,Y2 or --area auto:X,Y");
  if (job.steps.empty()) return UsageError("mask needs at least one operation");
  return RunPlanned(batch, [&job](CliShell& shell, const BatchJob& file) {
    return MaskFile(shell, file.input, file.output, job);
  });
}

int RunConvertBatch(const std::vector<std::string>& args) {
  BatchArgs batch;
  FileOptionArgs fileOptions;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string error;
    OptionParse option = ParseBatchOption(args, i, batch, error);
    if (option == OptionParse::kNotAnOption) option = ParseFileOption(args, i, fileOptions, error);
    if (option == OptionParse::kBad) return UsageError(error);
    if (option == OptionParse::kTaken) continue;
    if (IsOptionWord(args[i])) return UsageError("unknown option '" + args[i] + "'");
    batch.inputs.push_back(args[i]);
  }
  return RunPlanned(batch, [&fileOptions](CliShell& shell, const BatchJob& file) {
    return ConvertFile(shell, file.input, file.output, fileOptions);
  });
}

}  // namespace veilo::cli
