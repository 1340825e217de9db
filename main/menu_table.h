// The main window's menus as data: every entry's menu, index, caption, guard
// and the window it opens. The main window builds its menus from this table and
// its click handlers look their entry up here.
#pragma once

#include <span>

namespace app {

enum class Menu { Gen, Maintain, VouchMod, Reports, Hlp };

enum class Guard {
    None,            // every user
    Right,           // CheckRight(rightId) for an operator
    Administrator,   // user 1 only; others get `refusal` under "Not Allowed"
    Welcome,         // the dashboard: PelkWelcome, else `refusal`
};

enum class Opens { Nothing, Modal, Modeless, Backup, Exit };

struct MenuEntry {
    Menu menu;
    int index;
    const char* caption;   // "-" is a separator
    Guard guard;
    int rightId;           // for Guard::Right
    const char* refusal;   // for Guard::Administrator and Guard::Welcome
    const char* window;    // the window's name, for Modal and Modeless
    Opens opens;
};

// The menus' captions, in the order they appear on the menu bar.
struct MenuTitle {
    Menu menu;
    const char* caption;
    const char* handler;   // name of the click handler, used as the menu's objectName
};
std::span<const MenuTitle> menuTitles();

// Every entry of every menu, in menu order.
std::span<const MenuEntry> menuEntries();

// The entry of `menu` with `index`, or null.
const MenuEntry* findEntry(Menu menu, int index);

} // namespace app
