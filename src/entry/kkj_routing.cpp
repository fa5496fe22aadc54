// The data entry window's menus and toolbar and the handlers they run.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "common/continue_on_error.h"
#include "common/error_message_tables.h"
#include "entry/error_reporter.h"
#include "entry/kkj.h"

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

}  // namespace

void kkj::buildMenus() {
    m_siNormalizationMenu = menuBar()->addMenu(QStringLiteral("Si Normalization"));
    m_siNormalizationMenu->addSeparator();
    m_mnuSiNorm = m_siNormalizationMenu->addAction(
        QStringLiteral(" Apply Si = 3 Normalization  [i.e. if Si (apfu) content > 3.05]"));
    ConnectMarkedItem(m_mnuSiNorm, [this] { mnuSiNorm_Click(); });
    m_siNormalizationMenu->addSeparator();

    m_calculateMenu = menuBar()->addMenu(QStringLiteral("Calculate"));
    m_mnuOpen = m_calculateMenu->addAction(QStringLiteral("Open File to Calculate"));
    m_mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_mnuOpen->setShortcutContext(Qt::WindowShortcut);
    ConnectMarkedItem(m_mnuOpen, [this] { mnuOpen_Click(); });
}

void kkj::buildToolbar() {
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    auto* calculate = m_toolbar->addAction(style()->standardIcon(QStyle::SP_MediaPlay), QString());
    calculate->setToolTip(QStringLiteral("Calculate"));
    m_toolbarButtons[kCalculatePosition] = calculate;
    connect(calculate, &QAction::triggered, this,
            [this] { Toolbar1_ButtonClick(kCalculatePosition); });
}

void kkj::mnuOpen_Click() {
    RunHandler(ErrorTable::DataEntry, m_messageBox, [&] {
        RunCalculateCommand(*this);
        // The run's last failure is reported whatever way the command was chosen.
        ReportRunTimeError(ErrorTable::DataEntry, m_messageBox);
    });
}

void kkj::mnuSiNorm_Click() {
    RunHandler(ErrorTable::DataEntry, m_messageBox,
               [&] { m_mnuSiNorm->setChecked(!m_mnuSiNorm->isChecked()); });
}

void kkj::Toolbar1_ButtonClick(int position) {
    RunHandler(ErrorTable::DataEntry, m_messageBox, [&] {
        EnterContinueOnError();
        ContinueOnError([&] { runToolbarCommand(position); });
        ReportRunTimeError(ErrorTable::DataEntry, m_messageBox);
    });
}

void kkj::runToolbarCommand(int position) {
    if (position == kCalculatePosition) {
        RunCalculateCommand(*this);
    }
}

}  // namespace stelvador
