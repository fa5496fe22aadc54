#include "widgets/dialogs/form8.h"

#include <QApplication>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/shell.h"
#include "widgets/dialogs/about_texts.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/dialogs/epidote_picture.h"
#include "widgets/dialogs/mail_link.h"

namespace stelvador {

namespace {

constexpr int kPictureWidth = 96;
constexpr int kPictureHeight = 128;

QString Shown(const std::string& text) {
    return QString::fromStdString(text).remove(QLatin1Char('\r'));
}

QFrame* Rule(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

Form8::Form8(Shell& shell, AboutWindows& windows, QWidget* parent)
    : QWidget(parent, Qt::Window), m_shell(shell), m_windows(windows) {
    setWindowTitle(QStringLiteral("A b o u t"));

    auto* layout = new QVBoxLayout(this);

    // Shape1: the frame round the picture and the authors.
    auto* top = new QFrame(this);
    top->setFrameShape(QFrame::Box);
    auto* topLayout = new QHBoxLayout(top);
    m_image1 = new QLabel(top);
    m_image1->setPixmap(EpidotePicture(kPictureWidth, kPictureHeight));
    m_image1->setToolTip(QStringLiteral("Epidote"));
    topLayout->addWidget(m_image1);
    m_label2 = new QLabel(Shown(AboutAuthorsText()), top);
    m_label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    topLayout->addWidget(m_label2, 1);
    layout->addWidget(top);

    layout->addWidget(Rule(this));
    layout->addWidget(Rule(this));

    // Shape1: the frame round what the program does.
    auto* middle = new QFrame(this);
    middle->setFrameShape(QFrame::Box);
    auto* middleLayout = new QVBoxLayout(middle);
    m_label1 = new QLabel(Shown(AboutProgramText()), middle);
    m_label1->setWordWrap(true);
    middleLayout->addWidget(m_label1);
    layout->addWidget(middle);

    layout->addWidget(Rule(this));

    auto* buttons = new QHBoxLayout();
    m_command1 = new QPushButton(QStringLiteral("OK"), this);
    m_command1->setToolTip(QStringLiteral("Close"));
    m_command2 = new QPushButton(QStringLiteral("E-mail"), this);
    m_command2->setToolTip(QStringLiteral("Send e-mail to author"));
    m_command3 = new QPushButton(QStringLiteral("Published in"), this);
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    buttons->addWidget(m_command3);
    layout->addLayout(buttons);

    connect(m_command1, &QPushButton::clicked, this, &Form8::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form8::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form8::Command3_Click);
}

void Form8::Command1_Click() {
    m_windows.unloadAboutWindow();
}

void Form8::Command2_Click() {
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    m_shell.OpenLink(MailLink(AuthorMailAddress(), QApplication::applicationName().toStdString(),
                              today.toStdString()));
}

void Form8::Command3_Click() {
    m_windows.ShowJournalWindow();
}

}  // namespace stelvador
