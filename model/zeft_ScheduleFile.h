#pragma once

#include "TLineLocator.h"

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace zeft {

class THeatingLocations;

/// A schedule file parsed into an XML tree, with what is needed to report errors by line.
struct TParsedScheduleFile {
    pugi::xml_document Document;
    TLineLocator Lines;
};

/// Parses the bytes of a schedule file. Throws TScheduleFileError for text that is not XML.
void ParseScheduleDocument(std::string_view bytes, TParsedScheduleFile& parsed);
/// Reads and parses a schedule file. Throws TScheduleFileError when it cannot be read or parsed.
void ParseScheduleFile(const std::string& fileName, TParsedScheduleFile& parsed);

/// The bytes SaveToFile writes for the collection.
std::string ScheduleFileBytes(const THeatingLocations& locations);

/// UTF-8 to ISO-8859-1 with CR LF line ends; characters beyond Latin-1 become numeric character
/// references, which is safe because they only ever occur in element text. A byte that is not
/// part of well-formed UTF-8 becomes the reference to U+FFFD.
std::string ToLatin1Xml(std::string_view utf8);

} // namespace zeft
