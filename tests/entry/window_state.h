#pragma once

#include <map>
#include <string>

namespace stelvador {

class kkj;

// What the data entry window shows and allows, as the screens set it: each control property by
// a name, and the texts of the screen title and the file panel.
struct WindowState {
    std::map<std::string, bool> flags;
    std::string title;
    std::string filePanel;
};

WindowState ReadWindowState(kkj& window);

// Names of the properties that no command changes: they stay true throughout.
const char* const* AlwaysEnabledNames();

}  // namespace stelvador
