#include "widgets/dialogs/form4.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/dialogs/about_texts.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/dialogs/epidote_picture.h"

namespace stelvador {

namespace {

constexpr int kPictureWidth = 72;
constexpr int kPictureHeight = 96;

}  // namespace

Form4::Form4(AboutWindows& windows, QWidget* parent)
    : QWidget(parent, Qt::Window), m_windows(windows) {
    setWindowTitle(QStringLiteral("J o u r n a l"));

    auto* layout = new QVBoxLayout(this);
    // Shape1: the frame round the picture and the citation.
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto* frameLayout = new QHBoxLayout(frame);
    m_image1 = new QLabel(frame);
    m_image1->setPixmap(EpidotePicture(kPictureWidth, kPictureHeight));
    m_image1->setToolTip(QStringLiteral("Epidote"));
    frameLayout->addWidget(m_image1);
    m_label1 = new QLabel(QString::fromStdString(JournalCitationText()), frame);
    m_label1->setWordWrap(true);
    m_label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    frameLayout->addWidget(m_label1, 1);
    layout->addWidget(frame);

    m_command1 = new QPushButton(QStringLiteral("Close"), this);
    layout->addWidget(m_command1, 0, Qt::AlignHCenter);
    connect(m_command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Command1_Click() {
    m_windows.unloadJournalWindow();
}

}  // namespace stelvador
