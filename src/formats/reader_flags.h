#pragma once
// Switches that change how the picture readers behave, for the calling thread.
namespace veilo {

struct ReaderFlags {
  // Set only while the open dialog's preview loads a picture: readers may
  // trade fidelity for speed.
  bool fastPreview = false;
  // Messages from decoding code (GIF data errors, library messages) are shown
  // only while this is set; the slide show clears it so that no message box
  // interrupts it.
  bool showLibraryMessages = true;
  // The language file is loaded: the readers' own messages are in English.
  bool englishMessages = false;
};

ReaderFlags& CurrentReaderFlags();

}  // namespace veilo
