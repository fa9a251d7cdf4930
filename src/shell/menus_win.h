#pragma once
// Real menus from the portable menu trees: built item by item from the
// language file's texts, or loaded from the resources (104 and 161).
#include <windows.h>

#include "platform/handles_win.h"
#include "shell/menu_tree.h"

namespace veilo {

Menu BuildMenu(const MenuTree& tree);
Menu LoadResourceMenu(int resourceId);

}  // namespace veilo
