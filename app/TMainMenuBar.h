#pragma once

#include <QMenuBar>
#include <functional>

class QAction;

namespace zeft {

/// The window's menus (File, Edit, Locations, Help with its Language submenu), each listing
/// the window's commands in their fixed order.
class TMainMenuBar : public QMenuBar {
public:
    /// command finds the window's command by name.
    TMainMenuBar(const std::function<QAction*(const QString&)>& command, QWidget* parent);

    /// The menus' titles in the current language; the commands carry their own texts.
    void ApplyLanguageTexts();

private:
    QMenu* miFile = nullptr;
    QMenu* miEdit = nullptr;
    QMenu* miScheme = nullptr;
    QMenu* miHelp = nullptr;
    QMenu* miHelpLanguage = nullptr;
};

} // namespace zeft
