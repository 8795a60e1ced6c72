#include "zeft_ResourceModule.h"

#include <cstdint>

namespace zeft {

namespace {

QString KeyName(const QString& name) {
    return name.toUpper();
}

QString TypeText(TResourceType type) {
    return type == TResourceType::StringTable ? QStringLiteral("string table block")
                                              : QStringLiteral("raw-data resource");
}

} // namespace

TResourceModule::TResourceModule(std::span<const TResourceData> compiledIn) {
    for (const TResourceData& resource : compiledIn) {
        // The bytes live as long as the program, so the module only points at them.
        FResources[{resource.Type, KeyName(QString::fromUtf8(resource.Name)), resource.Language}] =
            QByteArray::fromRawData(static_cast<const char*>(resource.Data),
                                    static_cast<qsizetype>(resource.Size));
    }
}

void TResourceModule::Add(TResourceType type, const QString& name, TLanguageId language,
                          const QByteArray& data) {
    FResources[{type, KeyName(name), language}] = data;
}

const QByteArray* TResourceModule::FindExact(TResourceType type, const QString& name,
                                             TLanguageId language) const {
    const auto found = FResources.find({type, KeyName(name), language});
    return found == FResources.end() ? nullptr : &found->second;
}

const QByteArray& TResourceModule::Find(TResourceType type, const QString& name,
                                        TLanguageId lookupId) const {
    const TLanguageId candidates[] = {lookupId, MakeLanguageID(PrimaryLanguageID(lookupId), 0), 0};
    for (const TLanguageId language : candidates) {
        if (const QByteArray* data = FindExact(type, name, language))
            return *data;
    }
    throw TResourceNotFound(QStringLiteral("The %1 \"%2\" was not found for language 0x%3.")
                                .arg(TypeText(type), name)
                                .arg(lookupId, 4, 16, QLatin1Char('0'))
                                .toStdString());
}

QString TResourceModule::StringBlockName(int block) {
    return QLatin1Char('#') + QString::number(block);
}

QByteArray TResourceModule::EncodeStringBlock(const std::array<QString, 16>& texts) {
    QByteArray block;
    for (const QString& text : texts) {
        const auto count = static_cast<std::uint16_t>(text.size());
        block.append(reinterpret_cast<const char*>(&count), sizeof count);
        block.append(reinterpret_cast<const char*>(text.utf16()),
                     static_cast<qsizetype>(count * sizeof(char16_t)));
    }
    return block;
}

} // namespace zeft
