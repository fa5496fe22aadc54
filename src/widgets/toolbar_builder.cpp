#include "widgets/toolbar_builder.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace stelvador {

QToolBar* BuildToolbar(QMainWindow& window, std::span<const ToolbarButtonDesign> designs,
                       std::span<QAction*> buttons, const std::function<void(int)>& clicked) {
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Toolbar1"));
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(kToolbarPictureSize, kToolbarPictureSize));
    int position = 1;
    for (const ToolbarButtonDesign& design : designs) {
        for (; position < design.position; ++position) {
            toolbar->addSeparator();
        }
        QAction* button = toolbar->addAction(ToolbarImage(design.picture), QString());
        button->setToolTip(QString::fromUtf8(design.toolTip));
        buttons[static_cast<std::size_t>(design.position)] = button;
        const int clickedPosition = design.position;
        QObject::connect(button, &QAction::triggered, &window,
                         [clicked, clickedPosition] { clicked(clickedPosition); });
        ++position;
    }
    return toolbar;
}

}  // namespace stelvador
