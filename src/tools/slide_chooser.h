#pragma once
// The layout of the slide show's folder chooser: the option panel (the
// sub-folder switch and the key-help button) is placed in the lower part of
// the folder browser, whose buttons move down and which grows by 4 %.
#include <cstdint>

#include "tools/slide_fit.h"

namespace veilo {

struct SlideChooserLayout {
  FitRect panel;             // the option panel, in the browser's client coordinates
  int32_t buttonsY = 0;      // the new top of the OK and Cancel buttons (their x is kept)
  int32_t windowHeight = 0;  // the browser's new outer height
};

// From the browser's client size and outer height.
SlideChooserLayout LayoutSlideChooser(int32_t clientWidth, int32_t clientHeight, int32_t windowHeight);

struct SlideOptionPanelLayout {
  FitRect subfolderCheck;  // the upper half of the panel
  FitRect helpButton;      // from one pixel above the middle, as high as the browser's OK button
};

SlideOptionPanelLayout LayoutSlideOptionPanel(int32_t panelWidth, int32_t panelHeight,
                                              int32_t okButtonHeight);

}  // namespace veilo
