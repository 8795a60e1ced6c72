#include "zeft_Settings.h"

#include <QFile>
#include <QSettings>
#include <QVariant>
#include <memory>
#include <optional>

namespace zeft {

namespace {

const QString LanguageGroup = QStringLiteral("UI");
const QString LanguageIDName = QStringLiteral("LanguageID");
const QString SublanguageIDName = QStringLiteral("SublanguageID");
const QString LastFileGroup = QStringLiteral("MRU");
const QString LastFileName = QStringLiteral("a");

/// A fresh view of the user's own store: nothing is cached between reads and writes, and
/// nothing comes from the organisation-wide or system-wide stores behind it.
std::unique_ptr<QSettings> OpenStore(QSettings::Format format) {
    auto settings = std::make_unique<QSettings>(format, QSettings::UserScope,
                                                QStringLiteral("Pellwick"), QStringLiteral("ZEFT"));
    settings->setFallbacksEnabled(false);
    return settings;
}

/// Whether the store keeps each value's type, as the registry and property lists do; an INI
/// file (the native store on Linux) keeps none.
bool KeepsTypes(const QSettings& settings) {
    if (settings.format() == QSettings::IniFormat)
        return false;
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return true;
#else
    return settings.format() != QSettings::NativeFormat;
#endif
}

/// Whether the value of key in group is written in double quotes in the INI file at path. In
/// that file every value reads back as text; quotes are the one mark of a value meant as text.
bool IsQuotedInIniFile(const QString& path, const QString& group, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inGroup = false;
    bool quoted = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inGroup = line.mid(1, line.size() - 2).trimmed() == group;
            continue;
        }
        const auto equals = line.indexOf(QLatin1Char('='));
        if (inGroup && equals > 0 && line.left(equals).trimmed() == key)
            quoted = line.mid(equals + 1).trimmed().startsWith(QLatin1Char('"')); // last one wins
    }
    return quoted;
}

/// A decimal number as the program writes it: digits only, at most 32 bits.
std::optional<quint32> PlainDecimal(const QString& text) {
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (const QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return std::nullopt;
    }
    const qulonglong value = text.toULongLong();
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<quint32>(value);
}

/// The stored integer, or nothing when it is missing or is not an integer.
std::optional<quint32> ReadInteger(QSettings::Format format, const QString& group,
                                   const QString& name) {
    const auto settings = OpenStore(format);
    const QVariant value = settings->value(group + QLatin1Char('/') + name);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return static_cast<quint32>(value.toULongLong());
    case QMetaType::QString: {
        // A store that keeps types says what a text is (a REG_SZ "1031" is no integer). In a
        // text file a plain unquoted number is what the program writes.
        if (KeepsTypes(*settings))
            return std::nullopt;
        const auto number = PlainDecimal(value.toString());
        if (!number || IsQuotedInIniFile(settings->fileName(), group, name))
            return std::nullopt;
        return number;
    }
    default:
        return std::nullopt;
    }
}

TLanguageId ReadLanguageValue(QSettings::Format format, const QString& name, TLanguageId current) {
    const auto value = ReadInteger(format, LanguageGroup, name);
    return value ? static_cast<TLanguageId>(*value & 0xFFFF) : current;
}

void WriteValue(QSettings::Format format, const QString& group, const QString& name,
                const QVariant& value) {
    const auto settings = OpenStore(format);
    settings->setValue(group + QLatin1Char('/') + name, value);
    settings->sync();
    switch (settings->status()) {
    case QSettings::NoError:
        return;
    case QSettings::FormatError:
        throw TSettingsError(name, settings->fileName(),
                             QStringLiteral("The setting \"%1\" could not be stored: %2 is not a "
                                            "valid settings file.")
                                 .arg(name, settings->fileName()));
    case QSettings::AccessError:
        break;
    }
    throw TSettingsError(
        name, settings->fileName(),
        QStringLiteral("The setting \"%1\" could not be stored: %2 cannot be written.")
            .arg(name, settings->fileName()));
}

} // namespace

TLanguageId TZEFTSettings::ReadLanguageID() const {
    return ReadLanguageValue(FFormat, LanguageIDName, LanguageID);
}

TLanguageId TZEFTSettings::ReadSublanguageID() const {
    return ReadLanguageValue(FFormat, SublanguageIDName, SublanguageID);
}

QString TZEFTSettings::ReadLastFile() const {
    const auto settings = OpenStore(FFormat);
    const QVariant value = settings->value(LastFileGroup + QLatin1Char('/') + LastFileName);
    if (value.typeId() != QMetaType::QString)
        return {};
    const QString text = value.toString();
    const auto zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.left(zero);
}

void TZEFTSettings::WriteLanguageID(TLanguageId value) const {
    WriteValue(FFormat, LanguageGroup, LanguageIDName, QVariant(int(value)));
}

void TZEFTSettings::WriteSublanguageID(TLanguageId value) const {
    WriteValue(FFormat, LanguageGroup, SublanguageIDName, QVariant(int(value)));
}

void TZEFTSettings::WriteLastFile(const QString& path) const {
    // Never a null text: an empty path is stored as an empty value, not as a missing one.
    WriteValue(FFormat, LastFileGroup, LastFileName,
               QVariant(path.isNull() ? QStringLiteral("") : path));
}

} // namespace zeft
