#pragma once
// A ShellNotifications fake that records every call, for asserting what the
// core asked the window system to do.
#include <string>
#include <vector>

#include "platform/shell_notifications.h"

namespace veilo::testing {

class RecordingShell : public ShellNotifications {
 public:
  std::vector<WindowRect> invalidated;
  int overviewRefreshes = 0;
  int zoomReapplied = 0;
  std::vector<bool> undoStates;  // every EnableUndo call, in order
  std::vector<bool> redoStates;
  std::vector<bool> recordingStates;
  std::vector<std::string> errors;
  std::vector<std::string> messagePane;
  int waitDepth = 0;     // BeginWait minus EndWait; 0 when balanced
  int waitEntries = 0;   // number of BeginWait calls

  void InvalidateWindowRect(const ImageDoc&, const WindowRect& r) override { invalidated.push_back(r); }
  void RefreshOverview(ImageDoc&) override { ++overviewRefreshes; }
  void ReapplyZoom(ImageDoc&) override { ++zoomReapplied; }
  void EnableUndo(bool on) override { undoStates.push_back(on); }
  void EnableRedo(bool on) override { redoStates.push_back(on); }
  void SetRecording(bool on) override { recordingStates.push_back(on); }
  void ShowError(std::string_view text) override { errors.emplace_back(text); }
  void SetMessagePane(std::string_view text) override { messagePane.emplace_back(text); }
  void BeginWait() override { ++waitDepth; ++waitEntries; }
  void EndWait() override { --waitDepth; }
};

}  // namespace veilo::testing
