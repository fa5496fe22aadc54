// The about and journal windows: their fixed texts and buttons, one instance of each, and the
// e-mail link handed to the shell percent-encoded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <string>

#include "scripted_shell.h"
#include "widgets/dialogs/about_texts.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/dialogs/form4.h"
#include "widgets/dialogs/form8.h"
#include "widgets/dialogs/mail_link.h"

namespace stelvador {
namespace {

class AboutWindowsTest : public ::testing::Test {
  protected:
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ScriptedShell m_shell;
    AboutWindows m_windows{m_shell};
};

TEST_F(AboutWindowsTest, AboutWindowHoldsItsTextsButtonsAndPicture) {
    m_windows.ShowAboutWindow();
    Form8* about = m_windows.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "A b o u t");
    EXPECT_EQ(about->parentWidget(), nullptr);
    EXPECT_EQ(about->Command1().text(), "OK");
    EXPECT_EQ(about->Command1().toolTip(), "Close");
    EXPECT_EQ(about->Command2().text(), "E-mail");
    EXPECT_EQ(about->Command2().toolTip(), "Send e-mail to author");
    EXPECT_EQ(about->Command3().text(), "Published in");
    EXPECT_EQ(about->Image1().toolTip(), "Epidote");
    EXPECT_FALSE(about->Image1().pixmap().isNull());
    EXPECT_EQ(about->Label1().text().toStdString(), AboutProgramText());
    EXPECT_TRUE(about->Label2().text().startsWith("S t e l v a d o r"));
}

TEST(AboutTexts, AreLaidOutAsThePreparedWindowShowsThem) {
    const std::string authors = AboutAuthorsText();
    EXPECT_EQ(
        authors.rfind("S t e l v a d o r" + std::string(18, ' ') + "Version 1.0.7 \r\n\r\n", 0),
        0u);
    // Every line ends in CR LF; the last four lines before the closing empty one are indented
    // by 44 blanks, the last of them naming the e-mail address.
    ASSERT_GE(authors.size(), 4u);
    EXPECT_EQ(authors.substr(authors.size() - 4), "\r\n\r\n");
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < authors.size();) {
        const std::size_t end = authors.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(authors.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_GE(lines.size(), 8u);
    EXPECT_TRUE(lines.back().empty());
    for (std::size_t i = lines.size() - 5; i < lines.size() - 1; ++i) {
        EXPECT_EQ(lines[i].rfind(std::string(44, ' '), 0), 0u) << lines[i];
        EXPECT_NE(lines[i][44], ' ') << lines[i];
    }
    EXPECT_NE(lines[lines.size() - 2].find(AuthorMailAddress()), std::string::npos);

    EXPECT_EQ(AboutProgramText(),
              "     Stelvador  estimates electron-microprobe and wet-chemical epidote-supergroup "
              "mineral analyses and classifies them based on the recommended nomenclature scheme "
              "by Armbruster et al. (2006).");

    const std::string journal = JournalCitationText();
    EXPECT_EQ(journal.front(), ' ');
    EXPECT_NE(journal.find(", xxxx.  A Windows program for calculation and  classification" +
                           std::string(17, ' ') + "of epidote-supergroup minerals" +
                           std::string(19, ' ')),
              std::string::npos);
    EXPECT_EQ(journal.substr(journal.size() - 14), " xx, xxx-xxxx.");
}

TEST_F(AboutWindowsTest, AboutTwiceGivesOneWindowAndOkUnloadsIt) {
    m_windows.ShowAboutWindow();
    Form8* first = m_windows.aboutWindow();
    m_windows.ShowAboutWindow();
    EXPECT_EQ(m_windows.aboutWindow(), first);

    first->Command1().click();
    EXPECT_EQ(m_windows.aboutWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Shown again, it is built anew with the same texts.
    m_windows.ShowAboutWindow();
    ASSERT_NE(m_windows.aboutWindow(), nullptr);
    EXPECT_EQ(m_windows.aboutWindow()->Label1().text().toStdString(), AboutProgramText());
}

TEST_F(AboutWindowsTest, PublishedInTwiceGivesOneJournalWhichOkLeavesOpen) {
    m_windows.ShowAboutWindow();
    Form8* about = m_windows.aboutWindow();
    about->Command3().click();
    Form4* journal = m_windows.journalWindow();
    ASSERT_NE(journal, nullptr);
    about->Command3().click();
    EXPECT_EQ(m_windows.journalWindow(), journal);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(journal->windowTitle(), "J o u r n a l");
    EXPECT_EQ(journal->Command1().text(), "Close");
    EXPECT_EQ(journal->Image1().toolTip(), "Epidote");
    EXPECT_EQ(journal->Label1().text().toStdString(), JournalCitationText());

    about->Command1().click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_windows.aboutWindow(), nullptr);
    ASSERT_EQ(m_windows.journalWindow(), journal);
    EXPECT_TRUE(journal->isVisible());

    journal->Command1().click();
    EXPECT_EQ(m_windows.journalWindow(), nullptr);
}

TEST_F(AboutWindowsTest, EmailHandsAPercentEncodedLinkToTheShellAndTheWindowStays) {
    QCoreApplication::setApplicationName(QStringLiteral("Stelvador test"));
    m_windows.ShowAboutWindow();
    m_windows.aboutWindow()->Command2().click();
    ASSERT_EQ(m_shell.links().size(), 1u);
    EXPECT_TRUE(m_shell.documents().empty());
    const std::string today =
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    EXPECT_EQ(m_shell.links()[0], "mailto:" + AuthorMailAddress() +
                                      "?subject=About%20Ostrevan&body=Stelvador%20test%3B%20" +
                                      PercentEncode(today));
    EXPECT_NE(m_windows.aboutWindow(), nullptr);
}

TEST(MailLink, EncodesBlanksSlashesAndEveryByteOutsideTheUnreservedSet) {
    EXPECT_EQ(MailLink("a.b@example.org", "Stelvador", "10/12/2026"),
              "mailto:a.b@example.org?subject=About%20Ostrevan&body=Stelvador%3B%2010%2F12%2F2026");
    EXPECT_EQ(MailLink("a@b.org", "Ost & Co?", "10.12.26"),
              "mailto:a@b.org?subject=About%20Ostrevan&body=Ost%20%26%20Co%3F%3B%2010.12.26");
    EXPECT_EQ(PercentEncode("\u00e9#%"), "%C3%A9%23%25");
    EXPECT_EQ(PercentEncode("AZaz09-._~"), "AZaz09-._~");
}

}  // namespace
}  // namespace stelvador
