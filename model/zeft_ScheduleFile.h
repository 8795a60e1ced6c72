#pragma once

#include "TLineLocator.h"
#include "TScheduleFileStream.h"

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
/// How schedule files are parsed. An element holding only whitespace keeps it: a room name of
/// spaces reads back as written. An element's text is kept in the element itself rather than in
/// a child node of its own; text() reads it either way, and there are a third fewer nodes.
inline constexpr unsigned ScheduleParseOptions =
    pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

void ParseScheduleDocument(std::string_view bytes, TParsedScheduleFile& parsed);
/// Reads and parses a schedule file. Throws TScheduleFileError when it cannot be read or parsed.
void ParseScheduleFile(const std::string& fileName, TParsedScheduleFile& parsed);

/// The bytes SaveToFile writes for the collection.
/// Appends the rooms that are parent's child elements; throws TScheduleFileError at the first
/// fault, naming its line where lines is given.
void ReadLocationElements(pugi::xml_node parent, const TLineLocator* lines, TLocationSet& into);
/// The rooms of a parsed document; throws TScheduleFileError as ReadLocationElements does, and
/// for a document without any.
TLocationSet ReadScheduleDocument(const pugi::xml_document& document, const TLineLocator* lines);
/// The rooms of a schedule file, read a part at a time (TScheduleFileStream) where it can be,
/// else whole; throws TScheduleFileError with the first fault.
TLocationSet ReadScheduleFile(const std::string& fileName);

std::string ScheduleFileBytes(const THeatingLocations& locations);

/// UTF-8 to ISO-8859-1 with CR LF line ends; characters beyond Latin-1 become numeric character
/// references, which is safe because they only ever occur in element text. A byte that is not
/// part of well-formed UTF-8 becomes the reference to U+FFFD.
std::string ToLatin1Xml(std::string_view utf8);

} // namespace zeft
