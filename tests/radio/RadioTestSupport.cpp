#include "RadioTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zeft::test {

TScratchDirectory::TScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zeft-radio-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory");
    FPath = pattern;
}

TScratchDirectory::~TScratchDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(FPath, ignored);
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::span<const std::uint8_t> VirtualDriverBytes() {
    static const std::vector<std::uint8_t> bytes = ReadFileBytes(ZEFT_VIRTUAL_DRIVER);
    return bytes;
}

std::span<const std::uint8_t> ForeignDriverBytes() {
    static const std::vector<std::uint8_t> bytes = ReadFileBytes(ZEFT_FOREIGN_DRIVER);
    return bytes;
}

std::span<const std::uint8_t> LibraryWithoutEntryPoints() {
    static const std::vector<std::uint8_t> bytes = ReadFileBytes(ZEFT_VIRTUAL_STICK_LIBRARY);
    return bytes;
}

std::unique_ptr<TuTrxLoader> VirtualDriverLoader(const std::filesystem::path& directory) {
    return std::make_unique<TuTrxLoader>(VirtualDriverBytes(), directory);
}

bool TTestClock::Pause(std::chrono::milliseconds duration, std::stop_token stop) {
    int number = 0;
    {
        std::lock_guard lock(FMutex);
        FPauses.push_back(duration);
        number = static_cast<int>(FPauses.size());
    }
    if (OnPause)
        OnPause(number, duration);
    return !stop.stop_requested();
}

std::vector<std::chrono::milliseconds> TTestClock::Pauses() const {
    std::lock_guard lock(FMutex);
    return FPauses;
}

} // namespace zeft::test
