#pragma once

#include <stdexcept>
#include <string>

namespace zeft {

/// A schedule file that cannot be read or written; the message says what and where.
class TScheduleFileError : public std::runtime_error {
public:
    /// systemError: the errno that made it fail, 0 when it is not the system's.
    explicit TScheduleFileError(const std::string& what, int systemError = 0)
        : std::runtime_error(what), FSystemError(systemError) {}
    int SystemError() const { return FSystemError; }

private:
    int FSystemError;
};

} // namespace zeft
