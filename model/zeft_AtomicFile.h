#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zeft {

/// Replaces the file's content so that a reader sees either the old or the new bytes, never a
/// mixture: writes a temporary file in the same folder, flushes it, renames it over the target
/// and flushes the folder. A file with further names (hard links) keeps them instead: it is
/// written in place, with a flushed copy of its old content beside it until the new content is
/// on disk, put back should writing fail. A symbolic link keeps pointing at its (updated)
/// target, unless another user placed it in a shared sticky folder such as /tmp: that one is
/// refused with ELOOP, as the system refuses to follow it. An existing file keeps its
/// permissions, and one the user may not write is refused. On failure the old content is
/// untouched, no temporary file is left and TScheduleFileError is thrown.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

/// Takes the next block of a file's content; false when it could not be written (errno says why).
using TByteSink = std::function<bool(std::string_view block)>;
/// The same with content too large to hold at once: produce hands it to the sink block by
/// block, and answers false as soon as the sink does.
void WriteFileAtomically(const std::string& path,
                         const std::function<bool(const TByteSink& sink)>& produce);
/// The same with the bytes of the file at source, copied without holding them in memory: for
/// a file another writer produced, such as a printed PDF.
void CopyFileAtomically(const std::string& source, const std::string& path);

/// The permissions a new file of the user gets: 0666 without the process's umask, read
/// without changing it (other threads may be creating files).
unsigned NewFilePermissions();

/// The largest schedule file read: some 190,000 rooms, far beyond any house. Its rooms take
/// about one and a half times its size in memory, which a desktop still has.
inline constexpr std::size_t MaxScheduleFileSize = std::size_t{1} << 30;

/// The bytes of a regular file of at most limit bytes. Anything else (a device such as
/// /dev/zero, a named pipe, a folder) is refused without waiting or reading, as is a larger
/// file, and so is a symbolic link another user placed in a shared sticky folder;
/// TScheduleFileError says why.
std::string ReadRegularFile(const std::string& path, std::size_t limit = MaxScheduleFileSize);
/// The same a block at a time, without holding the whole file: take gets each block in turn
/// and answers false to stop reading.
void ReadRegularFileInBlocks(const std::string& path, std::size_t limit,
                             const std::function<bool(std::string_view block)>& take);

} // namespace zeft
