#include "TMainMenuBar.h"

#include "zeft_LanguageResources.h"
#include "zeft_StringIds.h"

#include <initializer_list>

namespace zeft {

TMainMenuBar::TMainMenuBar(const std::function<QAction*(const QString&)>& command, QWidget* parent)
    : QMenuBar(parent) {
    // Each menu lists commands by name; an empty name is a separator.
    auto menu = [this, &command](QMenu* parentMenu, const char* name,
                                 std::initializer_list<const char*> commands) {
        QMenu* created = parentMenu ? parentMenu->addMenu(QString()) : addMenu(QString());
        created->setObjectName(QLatin1String(name));
        for (const char* commandName : commands) {
            if (*commandName)
                created->addAction(command(QLatin1String(commandName)));
            else
                created->addSeparator();
        }
        return created;
    };
    miFile = menu(nullptr, "miFile", {"FileOpen", "FileSave", "FileSaveAs", "", "FileExit"});
    miEdit = menu(nullptr, "miEdit", {"EditUndo", "EditRedo"});
    miScheme = menu(nullptr, "miScheme",
                    {"SchemeAdd",
                     "SchemeAddTemplate1",
                     "SchemeAddTemplate2",
                     "SchemeAddTemplate3",
                     "SchemeAddTemplate4",
                     "SchemeAddTemplate5",
                     "SchemeAddTemplate6",
                     "SchemeAddTemplate7",
                     "SchemeAddTemplate8",
                     "SchemeAddTemplate9",
                     "",
                     "SchemeDuplicate",
                     "SchemeRemove",
                     "",
                     "SchemePrint",
                     "SchemePrintAll",
                     "SchemePrintPreview",
                     "SchemeExportPdf",
                     "",
                     "SchemeTransmit",
                     "SchemeTransmitSeveral",
                     "SchemeTransmitCancel",
                     "SchemeRestoreSent",
                     "SchemeTransferLog"});
    miHelp = menu(nullptr, "miHelp", {"HelpContents"});
    miHelpLanguage = menu(miHelp, "miHelpLanguage",
                          {"HelpLanguageGerman", "HelpLanguageEnglish", "HelpLanguageFrench"});
    miHelp->addSeparator();
    miHelp->addAction(command(QStringLiteral("HelpAbout")));
}

void TMainMenuBar::ApplyLanguageTexts() {
    miFile->setTitle(LoadLanguageString(TextId::MenuFile));
    miEdit->setTitle(LoadLanguageString(TextId::MenuEdit));
    miScheme->setTitle(LoadLanguageString(TextId::MenuProgram));
    miHelp->setTitle(LoadLanguageString(TextId::MenuHelp));
    miHelpLanguage->setTitle(LoadLanguageString(TextId::MenuLanguage));
}

} // namespace zeft
