#include "tools/slide_chooser.h"

namespace veilo {

SlideChooserLayout LayoutSlideChooser(int32_t clientWidth, int32_t clientHeight, int32_t windowHeight) {
  // 64-bit products: the fractions are taken of the sizes whatever they are.
  const int64_t W = clientWidth, H = clientHeight;
  SlideChooserLayout layout;
  layout.panel.x = static_cast<int32_t>(W / 20);
  layout.panel.y = static_cast<int32_t>(H - H * 12 / 70);
  layout.panel.width = static_cast<int32_t>(W * 5 / 12);
  layout.panel.height = static_cast<int32_t>(H * 11 / 70);
  layout.buttonsY = static_cast<int32_t>(H + H * 5 / 70 - H * 12 / 70);
  layout.windowHeight = static_cast<int32_t>(int64_t{windowHeight} * 104 / 100);
  return layout;
}

SlideOptionPanelLayout LayoutSlideOptionPanel(int32_t panelWidth, int32_t panelHeight,
                                              int32_t okButtonHeight) {
  SlideOptionPanelLayout layout;
  layout.subfolderCheck = {0, 0, panelWidth, panelHeight / 2};
  layout.helpButton = {0, panelHeight / 2 - 1, panelWidth, okButtonHeight};
  return layout;
}

}  // namespace veilo
