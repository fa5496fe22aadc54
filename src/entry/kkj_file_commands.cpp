// The data entry window's file commands: New File, Open File and Save As.
#include <QAction>
#include <QLineEdit>
#include <filesystem>
#include <system_error>

#include "common/data_file_format.h"
#include "common/error_numbers.h"
#include "common/project_variables.h"
#include "common/run_time_error.h"
#include "entry/cap_cell.h"
#include "entry/data_file.h"
#include "entry/kkj.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"
#include "widgets/grid_editing.h"
#include "widgets/panel_status_bar.h"
#include "widgets/twips.h"

namespace stelvador {

namespace {

constexpr const char* kOpenFilter = "Epidote(*.epd) |*.epd";
constexpr const char* kSaveFilter = "Epidote files(*.epd) |*.epd";
// New File writes the empty data block it has laid out to this file of the current directory.
constexpr const char* kGridTemplateFile = "epdt.tem";

bool FileExists(const std::string& name) {
    std::error_code ignored;
    return std::filesystem::exists(name, ignored);
}

}  // namespace

void kkj::mnuNewFile_Click() {
    handlerTop([&] { layOutNewFile(true); });
}

void kkj::layOutEmptyGrid() {
    handlerTop([&] { layOutNewFile(false); });
}

void kkj::layOutNewFile(bool writeTemplate) {
    setScreenTitle("New  File");
    EnterContinueOnError();
    showCommandButtons(false);
    ContinueOnError([&] { m_gridEditing->mnuClear_Click(); });
    ContinueOnError([&] {
        MSFlexGrid1().setRowHeightMin(PixelsToTwips(m_cellMirror->height(), *m_cellMirror));
    });
    showDataEntryScreen();
    ContinueOnError([&] { capCell(MSFlexGrid1()); });
    focusGrid();
    if (writeTemplate) {
        ContinueOnError([&] { WriteDataFile(MSFlexGrid1(), kGridTemplateFile); });
    }
}

void kkj::mnuOpenFile_Click() {
    handlerTop([&] {
        // The dialog comes before any change: a cancel leaves the window, the grid and the
        // loaded-grid mark as they were, reads no file and reports nothing.
        EnterContinueOnError();
        m_services.fileDialog.setFilter(kOpenFilter);
        m_services.fileDialog.setFileName(std::string());
        if (!ContinueOnError([&] { m_services.fileDialog.ShowOpen(); }) ||
            m_services.fileDialog.FileName().empty()) {
            return;
        }
        const std::string fileName = m_services.fileDialog.FileName();

        // The file is read whole before anything changes: a file that is gone, empty or no data
        // file is reported and leaves the window as a cancel does, so no later Calculate labels
        // its results with a file that did not produce them.
        std::string text;
        if (!ContinueOnError([&] {
                if (!FileExists(fileName)) {
                    throw RunTimeError(error::kFileNotFound, "File not found");
                }
                text = ReadDataFile(fileName);
            })) {
            return;
        }

        setScreenTitle("Open  File");
        EnterContinueOnError();
        for (QAction* item : {m_mnuEditCut, m_mnuEditCopy, m_mnuEditPaste, m_mnuEditDelete,
                              m_mnuEditInsertRow, m_mnuEditSelectAll}) {
            item->setEnabled(true);
        }
        for (const int position : entry_toolbar::kFileAndEditButtons) {
            toolbarButton(position)->setEnabled(true);
        }
        m_centrePanel->setVisible(false);

        MSFlexGrid1().setVisible(true);
        Project().LastFileName = fileName;
        m_cellMirror->setVisible(true);
        m_statusBar->setPanelEnabled(1, true);
        m_mnuOpen->setChecked(true);
        for (QAction* item : {m_mnuClose, m_mnuClear, m_mnuDelete, m_mnuSaveAs}) {
            item->setEnabled(true);
        }
        m_statusBar->setPanelText(1, fileName);
        ContinueOnError([&] { capCell(MSFlexGrid1()); });

        m_mnu9703->setEnabled(false);
        m_mnu07Later->setEnabled(false);
        // The read data block replaces the whole grid's.
        ContinueOnError([&] { ReplaceDataBlock(MSFlexGrid1(), text); });

        setScreenTitle("Data Entry Screen");
        for (const int position : entry_toolbar::kWorkbookImportButtons) {
            toolbarButton(position)->setEnabled(false);
        }
        focusGrid();
    });
}

void kkj::mnuSaveAs_Click() {
    handlerTop([&] {
        setScreenTitle("Save As");
        EnterContinueOnError();
        m_services.fileDialog.setFilter(kSaveFilter);
        m_services.fileDialog.setFileName(std::string());
        ContinueOnError([&] { m_services.fileDialog.ShowSave(); });
        const std::string fileName = m_services.fileDialog.FileName();
        showGrid(true);
        // A cancel writes nothing and keeps the file panel's text.
        if (fileName.empty()) {
            return;
        }
        // The file panel names the file only once it holds the grid: a refused cell or a failed
        // write leaves the panel naming the file the grid came from.
        ContinueOnError([&] {
            try {
                WriteDataFile(MSFlexGrid1(), fileName);
                m_statusBar->setPanelText(1, fileName);
            } catch (const UnwritableDataBlock& refused) {
                // The user is told which cell the file cannot carry; nothing was written.
                m_services.messageBox.Show(refused.what());
            }
        });
    });
}

}  // namespace stelvador
