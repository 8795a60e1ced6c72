#pragma once

// Language, regional settings and locations for the printing tests.

#include "THeatingLocations.h"
#include "zeft_LanguageResources.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>

namespace zeft::test {

inline constexpr TLanguageId German = 7;
inline constexpr TLanguageId English = 9;
inline constexpr TLanguageId French = 12;

/// Sets the interface language and the user's regional settings for one test and puts both
/// back afterwards.
class TLanguageScope {
public:
    TLanguageScope(TLanguageId language, const QLocale& regional);
    ~TLanguageScope();
    TLanguageScope(const TLanguageScope&) = delete;
    TLanguageScope& operator=(const TLanguageScope&) = delete;

private:
    TLanguageId FLanguage;
    TLanguageId FSublanguage;
    QLocale FRegional;
};

/// A location from template index, named in the current language.
std::unique_ptr<THeatingLocation> TemplateLocation(int index);
/// The locations of templates first..last in this order, as the main window adds them.
std::unique_ptr<THeatingLocations> TemplateLocations(int first = 1, int last = 9);

/// "17:00" for a time in the 24-hour format the tests' regional settings use.
QString Clock(TTime t);

} // namespace zeft::test
