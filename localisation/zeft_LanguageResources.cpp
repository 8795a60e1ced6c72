#include "zeft_LanguageResources.h"

#include "zeft_ProgramResources.h"
#include "zeft_ResourceModule.h"
#include "zeft_StringIds.h"

#include <cstdint>
#include <cstring>

namespace zeft {

TLanguageId LanguageID = 0;
TLanguageId SublanguageID = 0;

namespace {

constexpr int EntriesPerBlock = 16;

const TResourceModule& ModuleOrProgram(const TResourceModule* module) {
    return module ? *module : ProgramModule();
}

/// Reads the 16-bit word at byte offset pos; false when the block ends before it.
bool ReadWord(const QByteArray& block, qsizetype pos, std::uint16_t& word) {
    if (pos < 0 || pos + qsizetype(sizeof word) > block.size())
        return false;
    std::memcpy(&word, block.constData() + pos, sizeof word);
    return true;
}

/// The entry'th text of a string table block; a block cut short yields empty text.
QString BlockEntry(const QByteArray& block, int entry) {
    qsizetype pos = 0;
    std::uint16_t count = 0;
    for (int skipped = 0; skipped < entry; ++skipped) {
        if (!ReadWord(block, pos, count))
            return {};
        pos += qsizetype(sizeof count) + qsizetype(count) * qsizetype(sizeof(char16_t));
    }
    if (!ReadWord(block, pos, count))
        return {};
    pos += qsizetype(sizeof count);
    const qsizetype bytes = qsizetype(count) * qsizetype(sizeof(char16_t));
    if (pos + bytes > block.size())
        return {};
    QString text(count, Qt::Uninitialized);
    std::memcpy(text.data(), block.constData() + pos, static_cast<std::size_t>(bytes));
    return text;
}

} // namespace

TLanguageId MakeLanguageID(TLanguageId primary, TLanguageId sublanguage) {
    return static_cast<TLanguageId>(primary | (sublanguage << 10));
}

TLanguageId PrimaryLanguageID(TLanguageId id) {
    return static_cast<TLanguageId>(id & 0x3FF);
}

TLanguageId SubLanguageID(TLanguageId id) {
    return static_cast<TLanguageId>(id >> 10);
}

void InitLanguageFromUserDefault() {
    const TLanguageId user = UserDefaultLanguageID();
    LanguageID = PrimaryLanguageID(user);
    SublanguageID = SubLanguageID(user);
}

const TResourceModule& ProgramModule() {
    static const TResourceModule module(std::span(ProgramResources, ProgramResourceCount));
    return module;
}

QString LoadLanguageString(int id) {
    return LoadLanguageString(id, LanguageID, SublanguageID);
}

QString LoadLanguageString(int id, TLanguageId language, TLanguageId sublanguage,
                           const TResourceModule* module) {
    if (id < 0 || id > 0xFFFF)
        throw TResourceNotFound("The string id " + std::to_string(id) +
                                " is outside the range of string ids.");
    const QByteArray& block = ModuleOrProgram(module).Find(
        TResourceType::StringTable, TResourceModule::StringBlockName(id / EntriesPerBlock + 1),
        MakeLanguageID(language, sublanguage));
    return BlockEntry(block, id % EntriesPerBlock);
}

std::string LoadLanguageStringUtf8(int id) {
    return LoadLanguageString(id).toStdString();
}

std::unique_ptr<QByteArray> LoadLanguageResource(const QString& name) {
    return LoadLanguageResource(name, LanguageID, SublanguageID);
}

std::unique_ptr<QByteArray> LoadLanguageResource(const QString& name, TLanguageId language,
                                                 TLanguageId sublanguage,
                                                 const TResourceModule* module) {
    const QByteArray& data = ModuleOrProgram(module).Find(TResourceType::RawData, name,
                                                          MakeLanguageID(language, sublanguage));
    if (data.isEmpty())
        return nullptr;
    // A deep copy: the caller may change the stream without touching the module.
    return std::make_unique<QByteArray>(data.constData(), data.size());
}

QString DayName(int day) {
    if (day < 1 || day > 7)
        return {};
    return LoadLanguageString(TextId::FirstDayName - 1 + day);
}

} // namespace zeft
