// The help window: the manual of the current language, read-only, one window that F1 brings
// to the front, and the documents themselves.
#include "TLanguageScope.h"
#include "zeft_Help.h"
#include "zeft_LanguageResources.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace zeft {
namespace {

using TLanguage = test::TLanguageScope;

/// The texts of the document's blocks that are set in bold throughout.
QStringList BoldBlocks(const QTextDocument& document) {
    QStringList headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed().isEmpty())
            continue;
        bool bold = true;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            bold = bold && fragment.fragment().charFormat().fontWeight() >= QFont::Bold;
        if (bold)
            headings.append(block.text());
    }
    return headings;
}

struct THelpCase {
    const char* Name;
    TLanguageId Language;
    const char* Title;
    const char* Close;
    QStringList Sections; ///< the four headings, in order
    QStringList SubSections;
    const char* Phrase; ///< something the manual of this language says
};

void PrintTo(const THelpCase& param, std::ostream* out) {
    *out << param.Name;
}

const QStringList EnglishSections = {
    "Introduction:", "Weekly programs:", "Temperatures and time intervals:", "Data transfer:"};
const QStringList EnglishSubSections = {"Changing the temperature", "Changing the times",
                                        "Adding an interval", "Deleting an interval",
                                        "Copying a day"};

class HelpWindowLanguage : public testing::TestWithParam<THelpCase> {};

TEST_P(HelpWindowLanguage, ShowsTheManualOfTheCurrentLanguage) {
    const THelpCase& param = GetParam();
    const TLanguage language(param.Language);
    TZEFTHelpForm form;
    form.ShowContents();

    EXPECT_EQ(form.windowTitle(), QString::fromUtf8(param.Title));
    EXPECT_EQ(form.btnClose->text(), QString::fromUtf8(param.Close));
    const QTextDocument& document = *form.reHelpContents->document();
    EXPECT_TRUE(document.toPlainText().contains(QString::fromUtf8(param.Phrase)));
    // Bold blocks are the section headings, the sub-section headings of the third section and
    // the lead words of the list items of the second.
    QStringList headings;
    for (const QString& heading : BoldBlocks(document)) {
        if (param.Sections.contains(heading) || param.SubSections.contains(heading))
            headings.append(heading);
    }
    QStringList expected = param.Sections;
    for (int i = 0; i < param.SubSections.size(); ++i)
        expected.insert(3 + i, param.SubSections[i]);
    EXPECT_EQ(headings, expected);
    form.close();
}

INSTANTIATE_TEST_SUITE_P(
    Languages, HelpWindowLanguage,
    testing::Values(THelpCase{"English", 9, "Help", "Close", EnglishSections, EnglishSubSections,
                              "USB programming stick"},
                    THelpCase{"German",
                              7,
                              "Hilfe",
                              "Schließen",
                              {"Einleitung:", "Wochenprogramme:",
                               "Temperaturen und Zeitintervalle:", "Datenübertragung:"},
                              {"Temperatur ändern", "Zeiten ändern", "Intervall hinzufügen",
                               "Intervall löschen", "Tag kopieren"},
                              "USB-Programmierstick"},
                    THelpCase{"French",
                              12,
                              "Aide",
                              "Fermer",
                              {"Introduction:", "Programmes hebdomadaires:",
                               "Températures et intervalles de temps:", "Transfert de données :"},
                              {"Modifier la température", "Modifier les heures",
                               "Ajouter un intervalle", "Supprimer un intervalle",
                               "Copier une journée"},
                              "clé USB de programmation"},
                    // Spanish and Japanese have no manual of their own and read the English one.
                    THelpCase{"Spanish", 10, "Help", "Close", EnglishSections, EnglishSubSections,
                              "USB programming stick"},
                    THelpCase{"Japanese", 0x11, "Help", "Close", EnglishSections,
                              EnglishSubSections, "USB programming stick"}),
    [](const testing::TestParamInfo<THelpCase>& info) { return info.param.Name; });

TEST(HelpWindow, TheManualIsReadOnlyInArialTenPoint) {
    const TLanguage english(9);
    TZEFTHelpForm form;
    form.ShowContents();
    EXPECT_EQ(form.size(), QSize(605, 524));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed dialog border";
    QTextBrowser& browser = *form.reHelpContents;
    EXPECT_TRUE(browser.isReadOnly());
    EXPECT_EQ(browser.geometry(), QRect(8, 8, 605 - 16, 524 - 41 - 16));
    EXPECT_EQ(browser.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(browser.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(browser.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(form.btnClose->geometry(), QRect(605 - 8 - 75, 8, 75, 25));
    EXPECT_EQ(form.paButtons->geometry(), QRect(0, 524 - 41, 605, 41));

    QTextCursor cursor(browser.document());
    cursor.movePosition(QTextCursor::NextBlock);
    const QTextCharFormat format = cursor.charFormat();
    EXPECT_EQ(format.fontPointSize(), 10.0);
    EXPECT_TRUE(format.fontFamilies().toStringList().contains(QStringLiteral("Arial")));
    // Where Arial is missing its metric twin stands in.
    const QString shown = QFontInfo(format.font()).family();
    EXPECT_TRUE(shown == QStringLiteral("Arial") || shown == QStringLiteral("Liberation Sans"))
        << shown.toStdString();

    // Typing changes nothing.
    const QString before = browser.toPlainText();
    browser.setFocus();
    QTest::keyClicks(&browser, QStringLiteral("typed"));
    QTest::keyClick(&browser, Qt::Key_Delete);
    EXPECT_EQ(browser.toPlainText(), before);
    form.close();
}

TEST(HelpWindow, NeutralAndEnglishSetsCarryTheSameManual) {
    const auto neutral = LoadLanguageResource(TZEFTHelpForm::HelpResource, 0, 0);
    const auto english = LoadLanguageResource(TZEFTHelpForm::HelpResource, 9, 0);
    const auto german = LoadLanguageResource(TZEFTHelpForm::HelpResource, 7, 0);
    ASSERT_TRUE(neutral && english && german);
    EXPECT_EQ(*neutral, *english);
    EXPECT_NE(*neutral, *german);
}

/// A stand-in for the main window: F1 runs the command HelpContents.
class TMainWindowStandIn : public QWidget {
public:
    explicit TMainWindowStandIn(TZEFTHelpForm& help) {
        auto* helpContents = new QAction(this);
        helpContents->setObjectName(QStringLiteral("HelpContents"));
        helpContents->setShortcut(Qt::Key_F1);
        connect(helpContents, &QAction::triggered, this, [&help] { help.ShowContents(); });
        addAction(helpContents);
        resize(300, 200);
    }
};

int VisibleHelpWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<TZEFTHelpForm*>(widget) && widget->isVisible() ? 1 : 0;
    return count;
}

TEST(HelpWindow, PressingF1TwiceLeavesOneWindowInFront) {
    const TLanguage english(9);
    TZEFTHelpForm help;
    TMainWindowStandIn main(help);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    QTest::keyClick(&main, Qt::Key_F1);
    ASSERT_TRUE(help.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    const QString loaded = help.reHelpContents->toHtml();

    // Back to the main window; a language change in between does not touch a visible window.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const TLanguage german(7);
    QTest::keyClick(&main, Qt::Key_F1);

    EXPECT_EQ(VisibleHelpWindows(), 1);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&help)) << "the help window came to the front";
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Help"));
    EXPECT_EQ(help.reHelpContents->toHtml(), loaded);

    // Closed and shown again, it follows the new language.
    QTest::mouseClick(help.btnClose, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(VisibleHelpWindows(), 0);
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Hilfe"));
    EXPECT_TRUE(help.reHelpContents->toPlainText().contains(QStringLiteral("Einleitung:")));
}

TEST(HelpWindow, EscapeHidesIt) {
    const TLanguage english(9);
    TZEFTHelpForm help;
    help.ShowContents();
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

} // namespace
} // namespace zeft
