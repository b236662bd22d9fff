#include "res/MenuTemplates.h"

#include "res/ResourceIds.h"

#include <map>
#include <stdexcept>
#include <string>

namespace {

MenuTemplate MainMenu()
{
    return {IDR_MAIN_MENU,
            {
                {"&File",
                 {
                     {"connect to STB", ID_CONNECT_STB},
                     {"update STB", ID_UPDATE_STB},
                     {"export data", ID_EXPORT_DATA},
                     {"import data", ID_IMPORT_DATA},
                     {"restore backup...", ID_RESTORE_BACKUP},
                     {"apply order from backup...", ID_APPLY_ORDER},
                     {nullptr, 0},
                     {"exit", ID_EXIT},
                 }},
                {"&Edit",
                 {
                     {"edit user lists", ID_EDIT_USER_LISTS},
                     {"edit sat lists", ID_EDIT_SAT_LISTS},
                     {"file browser", ID_FILE_BROWSER},
                     {"channel number display", ID_CHANNEL_NUMBER_DISPLAY},
                 }},
            }};
}

MenuTemplate PopupMenus()
{
    return {IDR_POPUP_MENU,
            {
                {"channel", {{"lock / unlock", ID_LOCK_UNLOCK}, {"rename", ID_RENAME}}},
                {"transponder",
                 {
                     {"Edit Transponder", ID_EDIT_TRANSPONDER},
                     {"Add Transponder", ID_ADD_TRANSPONDER},
                     {"Delete Transponder", ID_DELETE_TRANSPONDER},
                 }},
                {"channel list",
                 {
                     {"Edit Channel", ID_EDIT_CHANNEL},
                     {"Add Channel", ID_ADD_CHANNEL},
                     {"Delete Channel", ID_DELETE_CHANNEL},
                 }},
                {"file", {{"delete", ID_DELETE}}},
            }};
}

const std::map<int, MenuTemplate>& Menus()
{
    static const std::map<int, MenuTemplate> menus = [] {
        std::map<int, MenuTemplate> all;
        for (MenuTemplate menu : {MainMenu(), PopupMenus()})
            all.emplace(menu.id, std::move(menu));
        return all;
    }();
    return menus;
}

} // namespace

const MenuTemplate& GetMenuTemplate(int id)
{
    const auto& menus = Menus();
    const auto it = menus.find(id);
    if (it == menus.end())
        throw std::out_of_range("no menu resource " + std::to_string(id));
    return it->second;
}

const PopupTemplate& GetPopupTemplate(int menuId, int popupIndex)
{
    const MenuTemplate& menu = GetMenuTemplate(menuId);
    if (popupIndex < 0 || popupIndex >= static_cast<int>(menu.popups.size()))
        throw std::out_of_range("no popup " + std::to_string(popupIndex) + " in menu " +
                                std::to_string(menuId));
    return menu.popups[static_cast<size_t>(popupIndex)];
}
