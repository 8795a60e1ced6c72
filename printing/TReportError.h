#pragma once

#include <stdexcept>

namespace zeft {

/// A report that cannot be laid out or printed: a faulty layout, a data connection that breaks
/// its promises, or a printer that refuses the job. The message says what went wrong.
class TReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace zeft
