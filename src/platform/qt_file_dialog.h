#pragma once

#include "platform/file_dialog.h"

class QWidget;

namespace stelvador {

// The file dialog on screen: Qt's own file dialog (not the desktop's, so it behaves the same
// everywhere), modal to the parent window, starting in the current directory, with Filter's
// pairs as its name filters. A chosen file becomes FileName and its folder the process's
// current directory; a cancelled dialog leaves FileName empty.
class QtFileDialog : public FileDialog {
  public:
    explicit QtFileDialog(QWidget* parent = nullptr) : m_parent(parent) {}

    void ShowOpen() override;
    void ShowSave() override;

  private:
    void show(bool save);

    QWidget* m_parent;
};

}  // namespace stelvador
