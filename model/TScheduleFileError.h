#pragma once

#include <stdexcept>
#include <string>

namespace zeft {

/// A schedule file that cannot be read or written; the message says what and where.
class TScheduleFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace zeft
