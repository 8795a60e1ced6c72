#include "zeft_Routines.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zeft {

namespace {

// Widths and precisions beyond this are taken as this; a stray "%999999999d" must not
// allocate gigabytes.
constexpr int MaxFieldSize = 4096;
constexpr int DefaultFloatPrecision = 2;

/// One parsed "%[index:][-][width][.precision]type" specifier.
struct TSpecifier {
    bool LeftAlign = false;
    std::optional<int> Width;
    std::optional<int> Precision;
    QChar Type;
};

class TFormatter {
public:
    TFormatter(const QString& format, const std::vector<TFormatArg>& args, QChar separator)
        : FFormat(format), FArgs(args), FSeparator(separator) {}

    QString Run();

private:
    bool ParseNumberOrStar(int& value);
    bool ParseSpecifier(TSpecifier& specifier);
    std::optional<QString> Render(const TSpecifier& specifier);
    const TFormatArg* NextArgument();

    const QString& FFormat;
    const std::vector<TFormatArg>& FArgs;
    QChar FSeparator;
    qsizetype FPos = 0;
    std::size_t FNextArg = 0;
};

/// Digits of a non-negative integer, at least minDigits of them.
QString Digits(std::uint64_t value, int base, int minDigits) {
    QString text = QString::number(value, base).toUpper();
    if (text.size() < minDigits)
        text.prepend(QString(minDigits - text.size(), QLatin1Char('0')));
    return text;
}

/// Integers shown in hexadecimal or unsigned: negative values as their two's complement, in 32
/// bits when they fit there, as a 32-bit integer would show.
std::uint64_t AsUnsigned(long long value) {
    if (value < 0 && value >= INT32_MIN)
        return static_cast<std::uint32_t>(value);
    return static_cast<std::uint64_t>(value);
}

/// Increments a string of decimal digits by one.
void IncrementDigits(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

QString FormatFixed(double value, int precision, QChar separator) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    precision = std::clamp(precision, 0, MaxFieldSize);
    // Round the shortest decimal text that reads back as the value, half away from zero: the
    // number as the user would write it, so 17.25 gives "17.3" and 0.15 gives "0.2", where
    // rounding the binary value would give "17.2" and "0.1".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    if (mantissa.size() > 1)
        mantissa.erase(1, 1); // the point after the first digit
    const int exponent = std::stoi(text.substr(e + 1));
    // value * 10^precision = mantissa * 10^shift
    const long shift = long(exponent) - long(mantissa.size()) + 1 + precision;
    std::string digits;
    if (shift >= 0) {
        digits = mantissa + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const long keep = long(mantissa.size()) + shift;
        if (keep < 0) {
            digits = "0";
        } else {
            digits = keep == 0 ? "0" : mantissa.substr(0, static_cast<std::size_t>(keep));
            if (mantissa[static_cast<std::size_t>(keep)] >= '5')
                IncrementDigits(digits);
        }
    }
    if (digits.size() < static_cast<std::size_t>(precision) + 1)
        digits.insert(0, static_cast<std::size_t>(precision) + 1 - digits.size(), '0');
    QString formatted = QString::fromLatin1(digits);
    if (precision > 0)
        formatted.insert(formatted.size() - precision, separator);
    // A value that rounds to zero shows no sign.
    if (value < 0 && digits.find_first_not_of('0') != std::string::npos)
        formatted.prepend(QLatin1Char('-'));
    return formatted;
}

namespace {

QString TFormatter::Run() {
    QString result;
    result.reserve(FFormat.size());
    while (FPos < FFormat.size()) {
        const QChar c = FFormat[FPos];
        if (c != QLatin1Char('%')) {
            result += c;
            ++FPos;
            continue;
        }
        const qsizetype start = FPos++;
        if (FPos < FFormat.size() && FFormat[FPos] == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++FPos;
            continue;
        }
        TSpecifier specifier;
        std::optional<QString> rendered;
        if (ParseSpecifier(specifier))
            rendered = Render(specifier);
        if (rendered)
            result += *rendered;
        else
            result += FFormat.mid(start, FPos - start); // left as it stands
    }
    return result;
}

bool IsAsciiDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool TFormatter::ParseNumberOrStar(int& value) {
    value = 0;
    if (FPos < FFormat.size() && FFormat[FPos] == QLatin1Char('*')) {
        ++FPos;
        const TFormatArg* arg = NextArgument();
        if (!arg || !std::holds_alternative<long long>(*arg))
            return false;
        value = static_cast<int>(
            std::clamp(std::get<long long>(*arg), 0LL, static_cast<long long>(MaxFieldSize)));
        return true;
    }
    while (FPos < FFormat.size() && IsAsciiDigit(FFormat[FPos])) {
        value = std::min(value * 10 + (FFormat[FPos].unicode() - '0'), MaxFieldSize);
        ++FPos;
    }
    return true;
}

bool TFormatter::ParseSpecifier(TSpecifier& specifier) {
    // An index and a width look alike until the ':' that only an index has. The index sets the
    // position; specifiers without an index go on from there.
    const qsizetype numberStart = FPos;
    int index = 0;
    while (FPos < FFormat.size() && IsAsciiDigit(FFormat[FPos])) {
        index = std::min(index * 10 + (FFormat[FPos].unicode() - '0'), MaxFieldSize);
        ++FPos;
    }
    if (FPos > numberStart && FPos < FFormat.size() && FFormat[FPos] == QLatin1Char(':')) {
        ++FPos;
        FNextArg = static_cast<std::size_t>(index);
    } else {
        FPos = numberStart;
    }
    if (FPos < FFormat.size() && FFormat[FPos] == QLatin1Char('-')) {
        specifier.LeftAlign = true;
        ++FPos;
    }
    if (FPos < FFormat.size() &&
        (FFormat[FPos] == QLatin1Char('*') || IsAsciiDigit(FFormat[FPos]))) {
        int width = 0;
        if (!ParseNumberOrStar(width))
            return false;
        specifier.Width = width;
    }
    if (FPos < FFormat.size() && FFormat[FPos] == QLatin1Char('.')) {
        ++FPos;
        int precision = 0;
        if (!ParseNumberOrStar(precision))
            return false;
        specifier.Precision = precision;
    }
    if (FPos >= FFormat.size())
        return false;
    specifier.Type = FFormat[FPos++].toLower();
    return true;
}

const TFormatArg* TFormatter::NextArgument() {
    if (FNextArg >= FArgs.size()) {
        ++FNextArg;
        return nullptr;
    }
    return &FArgs[FNextArg++];
}

std::optional<QString> TFormatter::Render(const TSpecifier& specifier) {
    const char type =
        static_cast<char>(specifier.Type.unicode() < 0x80 ? specifier.Type.unicode() : 0);
    // An unknown type takes no argument, so the specifiers after it still get theirs.
    if (type == 0 || std::string_view("dufsx").find(type) == std::string_view::npos)
        return std::nullopt;
    const TFormatArg* arg = NextArgument();
    if (!arg)
        return std::nullopt;
    QString text;
    switch (type) {
    case 'd': {
        if (!std::holds_alternative<long long>(*arg))
            return std::nullopt;
        const long long value = std::get<long long>(*arg);
        const std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        text = Digits(magnitude, 10, specifier.Precision.value_or(0));
        if (value < 0)
            text.prepend(QLatin1Char('-'));
        break;
    }
    case 'u':
    case 'x': {
        if (!std::holds_alternative<long long>(*arg))
            return std::nullopt;
        text = Digits(AsUnsigned(std::get<long long>(*arg)), type == 'x' ? 16 : 10,
                      specifier.Precision.value_or(0));
        break;
    }
    case 'f': {
        double value = 0;
        if (const auto* d = std::get_if<double>(arg))
            value = *d;
        else if (const auto* i = std::get_if<long long>(arg))
            value = static_cast<double>(*i);
        else
            return std::nullopt;
        text = FormatFixed(value, specifier.Precision.value_or(DefaultFloatPrecision), FSeparator);
        break;
    }
    case 's': {
        const auto* s = std::get_if<QString>(arg);
        if (!s)
            return std::nullopt;
        text = specifier.Precision ? s->left(*specifier.Precision) : *s;
        break;
    }
    default:
        return std::nullopt;
    }
    const int width = specifier.Width.value_or(0);
    if (text.size() < width) {
        const QString padding(width - text.size(), QLatin1Char(' '));
        text = specifier.LeftAlign ? text + padding : padding + text;
    }
    return text;
}

} // namespace

QString FormatText(const QString& format, const std::vector<TFormatArg>& args,
                   QChar decimalSeparator) {
    return TFormatter(format, args, decimalSeparator).Run();
}

QString FormatText(const QString& format, const std::vector<TFormatArg>& args) {
    return FormatText(format, args, UserDecimalSeparator());
}

QChar UserDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QString UserShortTimeFormat() {
    // Hours and minutes only: some locales (C among them) put seconds and a time zone in the
    // short format, which the period captions and the clock have no room for.
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    static const QRegularExpression seconds(QStringLiteral("[:.]?s{1,2}|\\s*t+"));
    format.remove(seconds);
    return format.trimmed();
}

QString WithoutAccelerator(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 >= text.size())
                break;
            ++i; // "&&" keeps one "&"; "&x" keeps the "x"
        }
        result += text[i];
    }
    return result;
}

} // namespace zeft
