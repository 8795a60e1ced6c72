#include "PrintTestSupport.h"

#include "zeft_Templates.h"

namespace zeft::test {

TLanguageScope::TLanguageScope(TLanguageId language, const QLocale& regional)
    : FLanguage(LanguageID), FSublanguage(SublanguageID), FRegional(QLocale()) {
    LanguageID = language;
    SublanguageID = 1;
    QLocale::setDefault(regional);
}

TLanguageScope::~TLanguageScope() {
    LanguageID = FLanguage;
    SublanguageID = FSublanguage;
    QLocale::setDefault(FRegional);
}

std::unique_ptr<THeatingLocation> TemplateLocation(int index) {
    return CreateTemplateLocation(index, [](int id) { return LoadLanguageStringUtf8(id); });
}

std::unique_ptr<THeatingLocations> TemplateLocations(int first, int last) {
    auto locations = std::make_unique<THeatingLocations>();
    for (int index = first; index <= last; ++index) {
        auto location = TemplateLocation(index);
        location->DisplayText = locations->MakeUniqueName(location->DisplayText);
        locations->Add(std::move(location));
    }
    return locations;
}

QString Clock(TTime t) {
    const int minutes = MinutesOf(t);
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace zeft::test
