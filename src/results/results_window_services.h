#pragma once

#include <functional>

namespace stelvador {

class AboutWindows;
class Clipboard;
class FileDialog;
class MessageBox;
class Shell;

// What the results window uses beyond its own controls, handed in by the program (or by a test
// with its doubles). A member left empty is supplied by the window itself: the message box,
// file dialog, shell and clipboard on screen, an about window of its own, and for the two callbacks
// nothing (the data entry window) and the application's quit (the end of the program).
struct ResultsWindowServices {
    MessageBox* messageBox = nullptr;
    // CommonDialog1, the plot document dialog.
    FileDialog* commonDialog = nullptr;
    Shell* shell = nullptr;
    // The system clipboard of the Edit commands.
    Clipboard* clipboard = nullptr;
    // The about and journal windows both main windows share.
    AboutWindows* aboutWindows = nullptr;
    // Brings the data entry window up, modeless.
    std::function<void()> showDataEntryWindow;
    // Ends the program: every window closes and no further command runs.
    std::function<void()> endProgram;
};

}  // namespace stelvador
