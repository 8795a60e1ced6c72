#include "TScheduleFileStream.h"

#include "TScheduleFileError.h"
#include "zeft_ScheduleFile.h"

#include <pugixml.hpp>

namespace zeft {

namespace {

// Rooms are parsed once this much text of complete rooms has come: a part's tree stays small.
constexpr size_t PartSize = size_t{1} << 16;
// Markup still open after this much text (a comment of megabytes, say) is left to the
// whole-document reader, rather than searched again with every block.
constexpr size_t MaxOpenMarkup = size_t{1} << 22;
constexpr std::string_view Bom = "\xEF\xBB\xBF";
constexpr std::string_view Space = " \t\r\n";

bool IsNameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == ':' || u >= 0x80;
}

bool StartsWith(std::string_view text, size_t at, std::string_view prefix) {
    return text.compare(at, prefix.size(), prefix) == 0;
}

// Whether the text from at on could still grow into prefix.
bool MayBecome(std::string_view text, size_t at, std::string_view prefix) {
    return text.size() - at < prefix.size() && prefix.starts_with(text.substr(at));
}

} // namespace

bool TScheduleFileStream::GiveUp() {
    FStage = TStage::GivenUp;
    std::string().swap(FPending);
    FLocations.clear();
    return false;
}

bool TScheduleFileStream::Feed(std::string_view block) {
    if (FStage == TStage::GivenUp)
        return false;
    // The parser takes a NUL for the end of its text: a part would go on after it, the whole
    // document does not.
    if (block.find('\0') != std::string_view::npos)
        return GiveUp();
    FPending.append(block);
    if (FStage == TStage::Prolog) {
        const TStep step = ScanProlog();
        if (step == TStep::Fault || (step == TStep::NeedMore && FPending.size() > MaxOpenMarkup))
            return GiveUp();
    }
    if (FStage == TStage::Content) {
        const TStep step = ScanContent();
        if (step == TStep::Fault ||
            (step == TStep::NeedMore && FPending.size() - FScanned > MaxOpenMarkup))
            return GiveUp();
        if (FComplete >= PartSize && !ReadPart(FComplete))
            return GiveUp();
    }
    if (FStage == TStage::Trailing) {
        // After the root only white space: the rest, comments and all, is the whole reader's.
        if (FPending.find_first_not_of(Space, FScanned) != std::string::npos)
            return GiveUp();
        FPending.clear();
        FScanned = 0;
    }
    return true;
}

bool TScheduleFileStream::Finish() {
    if (FStage != TStage::Trailing || FLocations.empty())
        return GiveUp();
    return true;
}

TScheduleFileStream::TStep TScheduleFileStream::ScanTag(size_t at, size_t& end, bool& empty) const {
    if (at + 1 >= FPending.size())
        return TStep::NeedMore;
    if (!IsNameStart(FPending[at + 1]))
        return TStep::Fault;
    char quote = 0;
    for (size_t i = at + 2; i < FPending.size(); ++i) {
        const char c = FPending[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '<') {
            return TStep::Fault;
        } else if (c == '>') {
            end = i + 1;
            empty = FPending[i - 1] == '/';
            return TStep::Done;
        }
    }
    return TStep::NeedMore;
}

TScheduleFileStream::TStep TScheduleFileStream::ScanProlog() {
    const std::string_view text = FPending;
    size_t at = FScanned;
    if (at == 0 && MayBecome(text, 0, Bom))
        return TStep::NeedMore;
    if (at == 0 && StartsWith(text, 0, Bom))
        at = Bom.size();
    for (;;) {
        at = text.find_first_not_of(Space, at);
        if (at == std::string_view::npos) {
            FScanned = text.size();
            return TStep::NeedMore;
        }
        FScanned = at;
        if (text[at] != '<')
            return TStep::Fault;
        if (MayBecome(text, at, "<!--") || MayBecome(text, at, "<?"))
            return TStep::NeedMore;
        size_t end = 0;
        if (StartsWith(text, at, "<?") || StartsWith(text, at, "<!--")) {
            const bool comment = text[at + 1] == '!';
            const size_t close = text.find(comment ? "-->" : "?>", at + 2);
            if (close == std::string_view::npos)
                return TStep::NeedMore;
            at = close + (comment ? 3 : 2);
            continue;
        }
        bool empty = false;
        const TStep step = ScanTag(at, end, empty); // a document type is a fault here
        if (step != TStep::Done)
            return step;
        if (empty)
            return TStep::Fault;
        const size_t nameEnd = text.find_first_of(" \t\r\n/>", at + 1);
        FRootName.assign(text.substr(at + 1, nameEnd - at - 1));
        return AcceptRoot(end) ? TStep::Done : TStep::Fault;
    }
}

bool TScheduleFileStream::AcceptRoot(size_t end) {
    // The prolog and the root's start tag, closed at once, must parse as a document of that
    // root; the encoding found there is the one the rest is read in.
    std::string head = FPending.substr(0, end);
    head.append("</").append(FRootName).append(">");
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(head.data(), head.size(), ScheduleParseOptions);
    if (!result || FRootName != document.document_element().name() ||
        (result.encoding != pugi::encoding_utf8 && result.encoding != pugi::encoding_latin1))
        return false;
    FEncoding = result.encoding;
    FPending.erase(0, end);
    FScanned = 0;
    FComplete = 0;
    FDepth = 0;
    FStage = TStage::Content;
    return true;
}

TScheduleFileStream::TStep TScheduleFileStream::ScanContent() {
    const std::string_view text = FPending;
    for (;;) {
        const size_t at = text.find('<', FScanned);
        if (at == std::string_view::npos) {
            FScanned = text.size();
            return TStep::NeedMore;
        }
        FScanned = at;
        if (at + 1 >= text.size() || MayBecome(text, at, "<!--") ||
            MayBecome(text, at, "<![CDATA["))
            return TStep::NeedMore;
        size_t end = 0;
        if (text[at + 1] == '/') {
            const size_t close = text.find('>', at + 2);
            if (close == std::string_view::npos)
                return TStep::NeedMore;
            end = close + 1;
            if (--FDepth < 0) {
                // The root's end: the rooms are all there, and only white space may follow.
                std::string_view name = text.substr(at + 2, close - at - 2);
                name = name.substr(0, name.find_last_not_of(Space) + 1);
                if (name != FRootName)
                    return TStep::Fault;
                FStage = TStage::Trailing;
                FScanned = end;
                return ReadPart(at) ? TStep::Done : TStep::Fault;
            }
            if (FDepth == 0)
                FComplete = end;
        } else if (text[at + 1] == '!' || text[at + 1] == '?') {
            std::string_view close;
            size_t from = at + 2;
            if (StartsWith(text, at, "<!--"))
                close = "-->", from = at + 4;
            else if (StartsWith(text, at, "<![CDATA["))
                close = "]]>", from = at + 9;
            else if (text[at + 1] == '?')
                close = "?>";
            else
                return TStep::Fault;
            const size_t found = text.find(close, from);
            if (found == std::string_view::npos)
                return TStep::NeedMore;
            end = found + close.size();
        } else {
            bool empty = false;
            const TStep step = ScanTag(at, end, empty);
            if (step != TStep::Done)
                return step;
            if (!empty)
                ++FDepth;
            else if (FDepth == 0)
                FComplete = end;
        }
        FScanned = end;
    }
}

bool TScheduleFileStream::ReadPart(size_t size) {
    if (size > 0) {
        pugi::xml_document part;
        if (!part.load_buffer_inplace(FPending.data(), size,
                                      ScheduleParseOptions | pugi::parse_fragment,
                                      static_cast<pugi::xml_encoding>(FEncoding)))
            return false;
        try {
            ReadLocationElements(part, nullptr, FLocations);
        } catch (const TScheduleFileError&) {
            return false;
        }
    }
    FPending.erase(0, size);
    FScanned -= size;
    FComplete = 0;
    return true;
}

} // namespace zeft
