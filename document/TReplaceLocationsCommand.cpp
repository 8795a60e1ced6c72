#include "TReplaceLocationsCommand.h"

namespace zeft {

TReplaceLocationsCommand::TReplaceLocationsCommand(TScheduleDocument& document,
                                                   TScheduleDocument::TLocationSet other)
    : FDocument(document), FOther(std::move(other)) {}

} // namespace zeft
