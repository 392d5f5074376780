// Keyboard habits of menus: a mnemonic letter for every command of a menu bar
// and of each of its menus, chosen from the texts of the language shown.
#pragma once

class QMenu;
class QMenuBar;

// Gives each action of `menu` without a mnemonic the first letter of its text
// not yet taken in that menu (a text whose letters are all taken gets none),
// then does the same in its sub-menus.
void MNEMONIQUES(QMenu* menu);
// The same for the titles of the menu bar's menus, then in each menu.
void MNEMONIQUES(QMenuBar* barre);
