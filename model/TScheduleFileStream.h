#pragma once

#include "THeatingLocation.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zeft {

using TLocationSet = std::vector<std::unique_ptr<THeatingLocation>>;

/// Reads a schedule file's rooms as its blocks arrive, parsing a part of some rooms at a time,
/// so that neither the whole text nor the whole tree is ever held: memory and time grow with
/// the rooms alone. It takes only what the whole-document reader would take the same way: a
/// file in UTF-8 or ISO-8859-1 without a document type, whose every part parses and holds
/// well-formed rooms. Anything else makes it give up, and the caller reads the file whole,
/// which finds and reports the fault with its line as before.
class TScheduleFileStream {
public:
    /// Takes the next block; false once it has given up.
    bool Feed(std::string_view block);
    /// After the last block: true when the file was read to its end and held rooms.
    bool Finish();
    TLocationSet TakeLocations() { return std::move(FLocations); }

private:
    enum class TStage { Prolog, Content, Trailing, GivenUp };
    enum class TStep { Done, NeedMore, Fault };

    TStep ScanProlog();
    TStep ScanContent();
    TStep ScanTag(size_t at, size_t& end, bool& empty) const;
    bool AcceptRoot(size_t end);
    bool ReadPart(size_t size);
    bool GiveUp();

    TStage FStage = TStage::Prolog;
    std::string FPending; // the text not yet parsed
    size_t FScanned = 0;  // where the next markup or text starts in FPending
    size_t FComplete = 0; // the end of the last room that is complete in FPending
    int FDepth = 0;
    std::string FRootName;
    int FEncoding = 0; // the pugi::xml_encoding the prolog declared
    TLocationSet FLocations;
};

} // namespace zeft
