#pragma once

// Shared by tests that switch the interface language.
#include "zeft_LanguageResources.h"

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zeft::test {

/// Sets the interface language for one test and puts it back afterwards.
class TLanguageScope {
public:
    explicit TLanguageScope(TLanguageId language)
        : FLanguage(LanguageID), FSublanguage(SublanguageID) {
        LanguageID = language;
        SublanguageID = 1;
    }
    ~TLanguageScope() {
        LanguageID = FLanguage;
        SublanguageID = FSublanguage;
    }
    TLanguageScope(const TLanguageScope&) = delete;
    TLanguageScope& operator=(const TLanguageScope&) = delete;

private:
    TLanguageId FLanguage;
    TLanguageId FSublanguage;
};

} // namespace zeft::test
