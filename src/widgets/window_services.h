#pragma once

namespace stelvador {

class AboutWindows;
class Clipboard;
class FileDialog;
class MessageBox;
class Shell;
class SpreadsheetApplications;

// The platform services a main window uses beyond its own controls. The program hands one to
// each window's constructor (a test hands its doubles); the window keeps the references and
// makes none of its own, so every window reaches the services the same way.
struct WindowServices {
    // CommonDialog1: the window's file dialog.
    FileDialog& fileDialog;
    MessageBox& messageBox;
    // Opens documents and links with the desktop's handler.
    Shell& shell;
    // The system clipboard of the Edit commands.
    Clipboard& clipboard;
    // The program's spreadsheet applications, which both windows' workbook commands use.
    SpreadsheetApplications& spreadsheets;
    // The about and journal windows, one of each for both main windows.
    AboutWindows& aboutWindows;
};

}  // namespace stelvador
