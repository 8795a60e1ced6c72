// The main window with the day list's context menu and its "Copy to" submenu open, as a PNG
// for the README. Not installed; not part of the tests.
//   zeft_context_menu_screenshot file.png [language id, 9 by default]
#include "TDayList.h"
#include "TLocationList.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QApplication application(argc, argv);
    zeft::InitDisplayScale();
    zeft::LanguageID = static_cast<zeft::TLanguageId>(argc > 2 ? std::atoi(argv[2]) : 9);
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    const zeft::TZEFTSettings settings;
    zeft::TMainFormServices services;
    services.Settings = &settings;
    zeft::TZEFTMainForm window(std::move(services));
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    const auto items = window.lvLocations->findItems(
        zeft::LoadLanguageString(5008), Qt::MatchExactly); // Office 5 1/2 business days
    if (!items.isEmpty())
        window.lvLocations->setCurrentItem(items.constFirst());
    QApplication::processEvents();

    // Right-click on Saturday, then the submenu beside its item.
    const QRect saturday = window.lbDays->visualItemRect(window.lbDays->item(5));
    const QPoint at = window.lbDays->viewport()->mapTo(&window, saturday.center());
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, at);
    QApplication::processEvents();
    QMenu* menu = window.DayMenu();
    if (!menu)
        return 1;
    QMenu* copyTo = menu->findChild<QMenu*>(QStringLiteral("miCopyTo"));
    menu->setActiveAction(copyTo->menuAction());
    copyTo->popup(menu->mapToGlobal(menu->actionGeometry(copyTo->menuAction()).topRight()));
    copyTo->setActiveAction(copyTo->actions().value(6)); // Monday to Friday
    QTest::qWait(200);

    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    QRect area(origin, window.frameGeometry().size());
    for (QWidget* popup : {static_cast<QWidget*>(menu), static_cast<QWidget*>(copyTo)})
        area = area.united(popup->geometry());
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(origin - area.topLeft(), window.grab());
    for (QWidget* popup : {static_cast<QWidget*>(menu), static_cast<QWidget*>(copyTo)})
        painter.drawPixmap(popup->geometry().topLeft() - area.topLeft(), popup->grab());
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
