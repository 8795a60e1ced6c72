#include "zeft_QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace zeft {

namespace {

// Owned by the application object, so that it goes with it.
QPointer<QTranslator> GQtTranslator;
QString GQtTranslationName;

} // namespace

QString QtTranslationName(TLanguageId language) {
    switch (PrimaryLanguageID(language)) {
    case 7:
        return QStringLiteral("qtbase_de");
    case 12:
        return QStringLiteral("qtbase_fr");
    default:
        return {};
    }
}

bool ApplyQtTranslations(TLanguageId language) {
    QCoreApplication* application = QCoreApplication::instance();
    const QString name = QtTranslationName(language);
    if (!application)
        return false;
    if (GQtTranslator && name == GQtTranslationName)
        return true; // already there: no needless language-change events
    if (GQtTranslator) {
        QCoreApplication::removeTranslator(GQtTranslator);
        delete GQtTranslator;
    }
    GQtTranslationName.clear();
    if (name.isEmpty())
        return false;
    auto* translator = new QTranslator(application);
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    GQtTranslator = translator;
    GQtTranslationName = name;
    return true;
}

} // namespace zeft
