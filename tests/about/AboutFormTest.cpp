// The about box as the user meets it: its texts in each language, its size around the logo,
// the support link and the ways to close it.
#include "TLanguageScope.h"
#include "TLinkPanel.h"
#include "zeft_About.h"
#include "zeft_LanguageResources.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace zeft {
namespace {

using TLanguage = test::TLanguageScope;

/// Runs the box modally and lets answer do what the user does while it is open.
int RunModal(TZEFTAboutForm& form, std::function<void()> answer) {
    QTimer::singleShot(0, &form, [&form, answer] {
        EXPECT_TRUE(form.isVisible());
        answer();
        // Whatever the answer did, the box must not stay open and block the test.
        if (form.isVisible())
            form.close();
    });
    return form.ShowModal();
}

struct TAboutCase {
    const char* Name;
    TLanguageId Language;
    const char* Title;
    const char* ProductName;
    const char* SupportPrefix;
    const char* Close;
};

void PrintTo(const TAboutCase& param, std::ostream* out) {
    *out << param.Name;
}

class AboutBoxLanguage : public testing::TestWithParam<TAboutCase> {};

TEST_P(AboutBoxLanguage, ShowsTheTextsOfTheCurrentLanguage) {
    const TAboutCase& param = GetParam();
    const TLanguage language(param.Language);
    TZEFTAboutForm form;
    form.show();

    const QString productName = QString::fromUtf8(param.ProductName);
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8(param.Title));
    EXPECT_EQ(form.memProductName->text(), productName + QStringLiteral(" (Version ") +
                                               QStringLiteral(ZEFT_TEST_VERSION) +
                                               QStringLiteral(")"));
    EXPECT_EQ(form.paProductSupportURL->text(),
              QString::fromUtf8(param.SupportPrefix) + QStringLiteral(ZEFT_TEST_SUPPORT_URL));
    EXPECT_EQ(form.btnClose->text(), QString::fromUtf8(param.Close));
    form.close();
}

INSTANTIATE_TEST_SUITE_P(
    Languages, AboutBoxLanguage,
    testing::Values(
        TAboutCase{"English", 9, "About Heating Controller Configuration Software",
                   "Heating Controller Configuration Software", "Support: ", "Close"},
        TAboutCase{"German", 7, "Info über Programmier-Software für Funk-Energiespar-Regler",
                   "Programmier-Software für Funk-Energiespar-Regler", "Support: ", "Schließen"},
        TAboutCase{"French", 12,
                   "Informations à propos de Logiciel de programmation pour régulateur "
                   "d’économie d’énergie sans fil",
                   "Logiciel de programmation pour régulateur d’économie d’énergie sans fil",
                   "Assistance : ", "Fermer"},
        // A language without texts of its own reads English.
        TAboutCase{"Japanese", 0x11, "About Heating Controller Configuration Software",
                   "Heating Controller Configuration Software", "Support: ", "Close"}),
    [](const testing::TestParamInfo<TAboutCase>& info) { return info.param.Name; });

TEST(AboutBox, TheLogoIsDrawnForTheProgramAndSetsTheSize) {
    const QImage logo(TZEFTAboutForm::LogoResource);
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(600, 166));
    EXPECT_FALSE(logo.hasAlphaChannel()) << "24 bits per pixel, no transparency";

    TZEFTAboutForm form;
    form.show();
    EXPECT_EQ(form.size(), QSize(600, 335));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed dialog border";
    EXPECT_EQ(form.imgLogo->geometry(), QRect(0, 0, 600, 166));
    EXPECT_EQ(form.paProductName->geometry(), QRect(0, 166, 600, 75));
    EXPECT_EQ(form.paProductSupportURL->geometry(), QRect(0, 241, 600, 41));
    EXPECT_EQ(form.paButton->geometry(), QRect(0, 282, 600, 53));
    EXPECT_EQ(form.btnClose->size(), QSize(75, 25));
    EXPECT_EQ(form.btnClose->geometry().top(), 14);
    EXPECT_EQ(form.btnClose->geometry().left(), 513);
    EXPECT_TRUE(form.btnClose->isDefault());
    EXPECT_EQ(form.memProductName->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
    form.close();
}

TEST(AboutBox, TheNextShowingFollowsALanguageChange) {
    TZEFTAboutForm form;
    {
        const TLanguage english(9);
        RunModal(form,
                 [&] { EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("About"))); });
    }
    const TLanguage german(7);
    EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("About"))) << "not before it shows";
    RunModal(form, [&] {
        EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("Info über")));
        EXPECT_EQ(form.btnClose->text(), QStringLiteral("Schließen"));
    });
}

TEST(AboutBox, ClickingTheSupportLineOpensTheSupportAddressAndKeepsTheBoxOpen) {
    const TLanguage english(9);
    TZEFTAboutForm form;
    std::vector<QUrl> opened;
    form.OpenUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return false; // the desktop could not open it: nothing is reported
    };
    const int result = RunModal(form, [&] {
        EXPECT_EQ(form.paProductSupportURL->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(form.paProductSupportURL, Qt::LeftButton);
        EXPECT_TRUE(form.isVisible());
        QTest::mouseClick(form.paProductSupportURL, Qt::RightButton);
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    });
    EXPECT_EQ(result, TZEFTAboutForm::mrOk);
    ASSERT_EQ(opened.size(), 1u) << "one left click, one request";
    EXPECT_EQ(opened[0], QUrl(QStringLiteral(ZEFT_TEST_SUPPORT_URL)));
}

TEST(AboutBox, ALeftPressThatEndsOutsideTheLineOpensNothing) {
    const TLanguage english(9);
    TZEFTAboutForm form;
    int opened = 0;
    form.OpenUrl = [&](const QUrl&) { return ++opened > 0; };
    form.show();
    QTest::mousePress(form.paProductSupportURL, Qt::LeftButton);
    QTest::mouseRelease(form.paProductSupportURL, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(opened, 0);
    form.close();
}

struct TCloseCase {
    const char* Name;
    std::function<void(TZEFTAboutForm&)> Close;
    int Result;
};

void PrintTo(const TCloseCase& param, std::ostream* out) {
    *out << param.Name;
}

class AboutBoxClose : public testing::TestWithParam<TCloseCase> {};

TEST_P(AboutBoxClose, EndsTheModalShowingWithItsResult) {
    const TLanguage english(9);
    TZEFTAboutForm form;
    bool closedByAnswer = false;
    const int result = RunModal(form, [&] {
        GetParam().Close(form);
        closedByAnswer = !form.isVisible();
    });
    EXPECT_TRUE(closedByAnswer);
    EXPECT_EQ(result, GetParam().Result);
    EXPECT_FALSE(form.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutBoxClose,
    testing::Values(
        TCloseCase{"CloseButton",
                   [](TZEFTAboutForm& form) { QTest::mouseClick(form.btnClose, Qt::LeftButton); },
                   TZEFTAboutForm::mrOk},
        TCloseCase{"EnterPressesTheDefaultButton",
                   [](TZEFTAboutForm& form) { QTest::keyClick(&form, Qt::Key_Return); },
                   TZEFTAboutForm::mrOk},
        TCloseCase{"Escape", [](TZEFTAboutForm& form) { QTest::keyClick(&form, Qt::Key_Escape); },
                   TZEFTAboutForm::mrCancel},
        TCloseCase{"WindowCloseBox", [](TZEFTAboutForm& form) { form.close(); },
                   TZEFTAboutForm::mrCancel}),
    [](const testing::TestParamInfo<TCloseCase>& info) { return info.param.Name; });

TEST(AboutBox, CanBeShownAgainAndAgain) {
    const TLanguage english(9);
    TZEFTAboutForm form;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RunModal(form, [&] { QTest::mouseClick(form.btnClose, Qt::LeftButton); }),
                  TZEFTAboutForm::mrOk);
    }
}

} // namespace
} // namespace zeft
