#pragma once

#include "platform/ui/MenuTemplate.h"

// The menu resource with this id (see res/ResourceIds.h); throws std::out_of_range for an id
// that has none.
const MenuTemplate& GetMenuTemplate(int id);
// One popup of a menu resource, e.g. GetPopupTemplate(IDR_POPUP_MENU, kPopupDelete).
const PopupTemplate& GetPopupTemplate(int menuId, int popupIndex);
