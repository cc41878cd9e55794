// An owned menu (LoadMenuA, CreatePopupMenu), destroyed with its owner. A menu that belongs
// to a window or to another menu is destroyed with them instead and must not be owned.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tembori {

struct MenuDestroyer {
  void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};

using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

}  // namespace tembori
