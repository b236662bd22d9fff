#pragma once

#include <vector>

// A menu resource as data: popups of items that carry numeric command ids.

struct MenuItemTemplate {
    const char* text = nullptr; // nullptr: a separator
    int id = 0;
};

struct PopupTemplate {
    const char* text = "";
    std::vector<MenuItemTemplate> items;
};

struct MenuTemplate {
    int id = 0;
    std::vector<PopupTemplate> popups;
};
