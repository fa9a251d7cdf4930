#include "picture_jobs.h"

#include "masks/detection.h"
#include "picture_io.h"

namespace veilo::cli {

bool MaskFile(CliShell& shell, const std::string& in, const std::string& out, const MaskJob& job) {
  ImageDoc doc;
  if (!LoadPicture(shell, in, doc, MakeLoadOptions(job.fileOptions))) return false;
  const std::optional<PixelRect> area = AreaForPicture(shell, doc, job.area);
  if (!area) return false;
  doc.areaSelected = 1;
  SetSelectionCorners(doc, *area);

  MaskOptions options;
  MacroBuffer macro;
  MaskContext ctx{shell, options, macro};
  for (size_t i = 0; i < job.steps.size(); ++i) {
    // Only a message shown by this step refuses it: a reader's warning about
    // a picture that still loaded (a truncated JPEG) is no refusal.
    const int errorsBefore = shell.errorCount;
    ApplyMaskStep(ctx, doc, job.steps[i]);
    if (shell.errorCount != errorsBefore) {
      shell.Say("operation " + std::to_string(i + 1) + " was refused; " + out + " not written");
      return false;
    }
  }
  SaveOptions saveOptions = MakeSaveOptions(job.fileOptions, doc);
  return SavePicture(shell, out, doc, saveOptions);
}

bool ConvertFile(CliShell& shell, const std::string& in, const std::string& out,
                 const FileOptionArgs& fileOptions) {
  ImageDoc doc;
  if (!LoadPicture(shell, in, doc, MakeLoadOptions(fileOptions))) return false;
  SaveOptions saveOptions = MakeSaveOptions(fileOptions, doc);
  return SavePicture(shell, out, doc, saveOptions);
}

}  // namespace veilo::cli
