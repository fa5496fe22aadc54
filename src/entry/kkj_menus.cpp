// The data entry window's menu bar, Edit menu and toolbar.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "entry/cap_cell.h"
#include "entry/kkj.h"
#include "widgets/grid_editing.h"
#include "widgets/toolbar_images.h"

namespace stelvador {

namespace {

// A menu item whose check mark is the program's: choosing it runs its handler, which alone
// decides the mark (the menu would otherwise invert it on every click).
template <class Handler>
void ConnectMarkedItem(QAction* action, Handler handler) {
    action->setCheckable(true);
    QObject::connect(action, &QAction::triggered, action, [action, handler](bool checked) {
        action->setChecked(!checked);
        handler();
    });
}

QAction* AddItem(QMenu* menu, const char* caption, const QKeySequence& shortcut = {}) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    if (!shortcut.isEmpty()) {
        item->setShortcut(shortcut);
        // The window's shortcuts work wherever its focus is, the grid included.
        item->setShortcutContext(Qt::WindowShortcut);
    }
    return item;
}

QKeySequence Ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}

// A menu shows its separators where they stand, at its ends too.
QMenu* AddMenu(QMenuBar* bar, const char* title) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(title));
    menu->setSeparatorsCollapsible(false);
    return menu;
}

QMenu* AddSubmenu(QMenu* parent, const char* title) {
    QMenu* menu = parent->addMenu(QString::fromUtf8(title));
    menu->setSeparatorsCollapsible(false);
    return menu;
}

struct ToolbarButtonDesign {
    int position;
    const char* toolTip;
    ToolbarPicture picture;
};

// Positions 6, 12, 14 and 19 are separators.
constexpr ToolbarButtonDesign kToolbarButtons[] = {
    {1, "New", ToolbarPicture::New},
    {2, "Open", ToolbarPicture::Open},
    {3, "Save", ToolbarPicture::Save},
    {4, "Close", ToolbarPicture::Close},
    {5, "Exit", ToolbarPicture::Exit},
    {7, "Cut", ToolbarPicture::Cut},
    {8, "Copy", ToolbarPicture::Copy},
    {9, "Paste", ToolbarPicture::Paste},
    {10, "Delete", ToolbarPicture::Delete},
    {11, "Select All", ToolbarPicture::SelectAll},
    {13, "Calculate", ToolbarPicture::Calculate},
    {15, "Load Excel (.xls)  into Grid", ToolbarPicture::LoadXls},
    {16, "Load Excel (.xlsx)  into Grid", ToolbarPicture::LoadXlsx},
    {17, "Edit Excel (.xls) File", ToolbarPicture::EditXls},
    {18, "Edit Excel (.xlsx) File", ToolbarPicture::EditXlsx},
    {20, "About", ToolbarPicture::About},
    {21, "Help", ToolbarPicture::Help},
    {22, "Display Next Screen", ToolbarPicture::NextScreen},
};

}  // namespace

void kkj::connectHandler(QAction* action, void (kkj::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { handlerTop([&] { (this->*handler)(); }); });
}

void kkj::buildMenus() {
    buildFileMenu();
    buildEditMenu();

    m_siNormalizationMenu = AddMenu(menuBar(), "Si Normalization");
    m_siNormalizationMenu->addSeparator();
    m_mnuSiNorm = AddItem(m_siNormalizationMenu,
                          " Apply Si = 3 Normalization  [i.e. if Si (apfu) content > 3.05]");
    ConnectMarkedItem(m_mnuSiNorm, [this] { mnuSiNorm_Click(); });
    m_siNormalizationMenu->addSeparator();

    m_calculateMenu = AddMenu(menuBar(), "Calculate");
    m_mnuOpen = AddItem(m_calculateMenu, "Open File to Calculate", Ctrl(Qt::Key_F));
    ConnectMarkedItem(m_mnuOpen, [this] { mnuOpen_Click(); });

    // About is a command on the menu bar itself.
    m_mnuAbout = menuBar()->addAction(QStringLiteral("About"));
    connectHandler(m_mnuAbout, &kkj::mnuAbout_Click);

    // Opening the Help menu runs its handler; the "F1" of its item is caption text only.
    m_mnuHelp = AddMenu(menuBar(), "Help");
    m_mnuHelp->setTitle(QStringLiteral("Help") + QString(53, QLatin1Char(' ')));
    m_mnuHelpContents = AddItem(m_mnuHelp, "Click Here for Help Index           F1");
    // Opening the menu shows no message for a failure left pending, so the menu is never
    // interrupted; an error that reaches this point is still shown.
    connect(m_mnuHelp, &QMenu::aboutToShow, this, [this] {
        RunHandler(ErrorTable::DataEntry, m_services.messageBox, [&] { mnuHelp_Click(); });
    });
    connectHandler(m_mnuHelpContents, &kkj::mnuHelpContents_Click);
}

void kkj::buildFileMenu() {
    m_mnuFile = AddMenu(menuBar(), "File");
    m_mnuNewFile = AddItem(m_mnuFile, "New File", Ctrl(Qt::Key_N));
    m_mnuOpenFile = AddItem(m_mnuFile, "Open File", Ctrl(Qt::Key_O));
    m_mnuSaveAs = AddItem(m_mnuFile, "Save As", Ctrl(Qt::Key_S));
    m_mnuClose = AddItem(m_mnuFile, "Close", Ctrl(Qt::Key_C));
    m_mnuFile->addSeparator();

    m_mnuOEF = AddSubmenu(m_mnuFile, "Open Excel File");
    m_mnuOEF->addSeparator();
    m_mnu9703 = AddItem(m_mnuOEF, "1997 - 2003 Files (.xls)", Ctrl(Qt::Key_G));
    m_mnu07Later = AddItem(m_mnuOEF, "2007 - Later (.xlsx)", Ctrl(Qt::Key_H));
    m_mnuOEF->addSeparator();

    m_mnuEEF = AddSubmenu(m_mnuFile, "Edit Excel File");
    m_mnuEEF->addSeparator();
    m_mnu9703e = AddItem(m_mnuEEF, "1997 - 2003 Files (.xls)", Ctrl(Qt::Key_F1));
    m_mnu07Latere = AddItem(m_mnuEEF, "2007 - Later (.xlsx)", Ctrl(Qt::Key_F2));
    m_mnuEEF->addSeparator();

    m_mnuFile->addSeparator();
    m_mnuExit = AddItem(m_mnuFile, "Exit", Ctrl(Qt::Key_X));

    connectHandler(m_mnuNewFile, &kkj::mnuNewFile_Click);
    connectHandler(m_mnuOpenFile, &kkj::mnuOpenFile_Click);
    connectHandler(m_mnuSaveAs, &kkj::mnuSaveAs_Click);
    connectHandler(m_mnuClose, &kkj::mnuClose_Click);
    connectHandler(m_mnu9703, &kkj::mnu9703_Click);
    connectHandler(m_mnu07Later, &kkj::mnu07Later_Click);
    connectHandler(m_mnu9703e, &kkj::mnu9703e_Click);
    connectHandler(m_mnu07Latere, &kkj::mnu07Latere_Click);
    connectHandler(m_mnuExit, &kkj::mnuExit_Click);
}

void kkj::buildEditMenu() {
    // The same menu pops up under the right mouse button in the grid.
    m_mnuEdit = AddMenu(menuBar(), "Edit");
    m_mnuClear = AddItem(m_mnuEdit, "Clear All", Ctrl(Qt::Key_A));
    m_mnuDelete = AddItem(m_mnuEdit, "Remove Row", Ctrl(Qt::Key_D));
    m_mnuEditInsertRow = AddItem(m_mnuEdit, "Insert Row", Ctrl(Qt::Key_I));
    m_mnuEdit->addSeparator();
    m_mnuEditCut = AddItem(m_mnuEdit, "Cut", Ctrl(Qt::Key_T));
    m_mnuEditCopy = AddItem(m_mnuEdit, "Copy", Ctrl(Qt::Key_Y));
    m_mnuEditPaste = AddItem(m_mnuEdit, "Paste", Ctrl(Qt::Key_P));
    m_mnuEditDelete = AddItem(m_mnuEdit, "Delete", Ctrl(Qt::Key_L));
    m_mnuEditSelectAll = AddItem(m_mnuEdit, "Select All", Ctrl(Qt::Key_E));
    m_mnuEdit->addSeparator();
}

void kkj::connectEditItem(QAction* action, void (GridEditing::*command)()) {
    connect(action, &QAction::triggered, this,
            [this, command] { handlerTop([&] { ((*m_gridEditing).*command)(); }); });
}

void kkj::buildGridEditing() {
    m_gridEditing = std::make_unique<GridEditing>(
        GridEditingVariant::DataEntry, *m_gridView, *m_cellMirror, m_services.clipboard,
        [this](const std::function<void()>& work) { handlerTop(work); });
    m_gridEditing->setGridLayout([](FlexGrid& grid) { capCell(grid); });
    m_gridEditing->setPopUpMenu(m_mnuEdit);

    connectEditItem(m_mnuClear, &GridEditing::mnuClear_Click);
    connectEditItem(m_mnuDelete, &GridEditing::mnuDelete_Click);
    connectEditItem(m_mnuEditInsertRow, &GridEditing::mnuEditInsertRow_Click);
    connectEditItem(m_mnuEditCut, &GridEditing::mnuEditCut_Click);
    connectEditItem(m_mnuEditCopy, &GridEditing::mnuEditCopy_Click);
    connectEditItem(m_mnuEditPaste, &GridEditing::mnuEditPaste_Click);
    connectEditItem(m_mnuEditDelete, &GridEditing::mnuEditDelete_Click);
    connectEditItem(m_mnuEditSelectAll, &GridEditing::mnuEditSelectAll_Click);
}

void kkj::buildToolbar() {
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(kToolbarPictureSize, kToolbarPictureSize));
    int position = 1;
    for (const ToolbarButtonDesign& design : kToolbarButtons) {
        for (; position < design.position; ++position) {
            m_toolbar->addSeparator();
        }
        QAction* button = m_toolbar->addAction(ToolbarImage(design.picture), QString());
        button->setToolTip(QString::fromUtf8(design.toolTip));
        m_toolbarButtons[static_cast<std::size_t>(design.position)] = button;
        const int clicked = design.position;
        connect(button, &QAction::triggered, this,
                [this, clicked] { Toolbar1_ButtonClick(clicked); });
        ++position;
    }
}

}  // namespace stelvador
