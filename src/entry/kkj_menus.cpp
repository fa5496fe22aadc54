// The data entry window's menu bar, Edit menu and toolbar.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "entry/cap_cell.h"
#include "entry/kkj.h"
#include "widgets/grid_editing.h"
#include "widgets/toolbar_builder.h"

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

constexpr ToolbarButtonDesign kToolbarButtons[] = {
    {entry_toolbar::kNewFile, "New", ToolbarPicture::New},
    {entry_toolbar::kOpenFile, "Open", ToolbarPicture::Open},
    {entry_toolbar::kSaveAs, "Save", ToolbarPicture::Save},
    {entry_toolbar::kClose, "Close", ToolbarPicture::Close},
    {entry_toolbar::kExit, "Exit", ToolbarPicture::Exit},
    {entry_toolbar::kCut, "Cut", ToolbarPicture::Cut},
    {entry_toolbar::kCopy, "Copy", ToolbarPicture::Copy},
    {entry_toolbar::kPaste, "Paste", ToolbarPicture::Paste},
    {entry_toolbar::kDelete, "Delete", ToolbarPicture::Delete},
    {entry_toolbar::kSelectAll, "Select All", ToolbarPicture::SelectAll},
    {entry_toolbar::kCalculate, "Calculate", ToolbarPicture::Calculate},
    {entry_toolbar::kLoadXls, "Load Excel (.xls)  into Grid", ToolbarPicture::LoadXls},
    {entry_toolbar::kLoadXlsx, "Load Excel (.xlsx)  into Grid", ToolbarPicture::LoadXlsx},
    {entry_toolbar::kEditXls, "Edit Excel (.xls) File", ToolbarPicture::EditXls},
    {entry_toolbar::kEditXlsx, "Edit Excel (.xlsx) File", ToolbarPicture::EditXlsx},
    {entry_toolbar::kAbout, "About", ToolbarPicture::About},
    {entry_toolbar::kHelp, "Help", ToolbarPicture::Help},
    {entry_toolbar::kNextScreen, "Display Next Screen", ToolbarPicture::NextScreen},
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
    QMenu* const mnuFile = AddMenu(menuBar(), "File");
    m_mnuNewFile = AddItem(mnuFile, "New File", Ctrl(Qt::Key_N));
    m_mnuOpenFile = AddItem(mnuFile, "Open File", Ctrl(Qt::Key_O));
    m_mnuSaveAs = AddItem(mnuFile, "Save As", Ctrl(Qt::Key_S));
    m_mnuClose = AddItem(mnuFile, "Close", Ctrl(Qt::Key_C));
    mnuFile->addSeparator();

    m_mnuOEF = AddSubmenu(mnuFile, "Open Excel File");
    m_mnuOEF->addSeparator();
    m_mnu9703 = AddItem(m_mnuOEF, "1997 - 2003 Files (.xls)", Ctrl(Qt::Key_G));
    m_mnu07Later = AddItem(m_mnuOEF, "2007 - Later (.xlsx)", Ctrl(Qt::Key_H));
    m_mnuOEF->addSeparator();

    QMenu* const mnuEEF = AddSubmenu(mnuFile, "Edit Excel File");
    mnuEEF->addSeparator();
    m_mnu9703e = AddItem(mnuEEF, "1997 - 2003 Files (.xls)", Ctrl(Qt::Key_F1));
    m_mnu07Latere = AddItem(mnuEEF, "2007 - Later (.xlsx)", Ctrl(Qt::Key_F2));
    mnuEEF->addSeparator();

    mnuFile->addSeparator();
    m_mnuExit = AddItem(mnuFile, "Exit", Ctrl(Qt::Key_X));

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
    m_toolbar = BuildToolbar(*this, kToolbarButtons, m_toolbarButtons,
                             [this](int position) { Toolbar1_ButtonClick(position); });
}

}  // namespace stelvador
