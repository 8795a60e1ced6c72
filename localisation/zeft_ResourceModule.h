#pragma once

#include "zeft_LanguageResources.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <map>
#include <span>
#include <tuple>

namespace zeft {

enum class TResourceType {
    StringTable, ///< a block of 16 texts, named "#<block>"
    RawData,     ///< bytes kept as they are, named by a resource name such as "HELPCONTENTSTEXT"
};

/// A resource compiled into the program; its bytes stay where the compiler put them.
struct TResourceData {
    TResourceType Type;
    const char* Name;
    TLanguageId Language;
    const void* Data;
    std::size_t Size;
};

/// A set of resources addressed by type, name and language, like the resources of one
/// executable. Names are compared without regard to case.
class TResourceModule {
public:
    TResourceModule() = default;
    /// Refers to compiled-in resources without copying their bytes.
    explicit TResourceModule(std::span<const TResourceData> compiledIn);

    /// Adds a resource, replacing one of the same type, name and language.
    void Add(TResourceType type, const QString& name, TLanguageId language, const QByteArray& data);

    /// The resource stored exactly under language, or null.
    const QByteArray* FindExact(TResourceType type, const QString& name,
                                TLanguageId language) const;
    /// The resource for lookup identifier lookupId: stored exactly under lookupId, else under
    /// its primary language with neutral sublanguage, else under neutral 0. Throws
    /// TResourceNotFound naming the resource and the language when none of them holds it.
    const QByteArray& Find(TResourceType type, const QString& name, TLanguageId lookupId) const;

    /// "#<block>", the name of the string table block holding ids (block - 1) * 16 .. + 15.
    static QString StringBlockName(int block);
    /// The bytes of a string table block: for each of the 16 texts a 16-bit count followed by
    /// that many UTF-16 code units, in the platform's byte order, without terminators.
    static QByteArray EncodeStringBlock(const std::array<QString, 16>& texts);

private:
    using TKey = std::tuple<TResourceType, QString, TLanguageId>;
    std::map<TKey, QByteArray> FResources;
};

} // namespace zeft
