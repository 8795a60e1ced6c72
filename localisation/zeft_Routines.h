#pragma once

#include <QChar>
#include <QString>
#include <variant>
#include <vector>

namespace zeft {

using TFormatArg = std::variant<double, long long, QString>;

/// Formats a text with Delphi-style specifiers "%[index:][-][width][.precision]type": %s, %d, %u,
/// %x (upper-case digits), %f and "%%". An index ("%1:s") sets the argument position and the
/// specifiers without an index go on from there; width and precision may be "*" (taken from the
/// arguments). For %d, %u and %x the precision is the minimum number of digits (zero-padded),
/// for %f the number of decimals (default 2), for %s the maximum length. %f accepts double and
/// integer arguments, %d, %u and %x integers, %s text. Numbers take the given decimal
/// separator and no thousands separators. A specifier without a matching argument, or of an
/// unknown type, is left as it stands; nothing throws.
QString FormatText(const QString& format, const std::vector<TFormatArg>& args,
                   QChar decimalSeparator);
/// The same with the user's decimal separator.
QString FormatText(const QString& format, const std::vector<TFormatArg>& args);

/// A number with a fixed count of decimals. Rounds the shortest decimal text that reads back as
/// the value, half away from zero (17.25 -> "17.3", 0.15 -> "0.2", -17.25 -> "-17.3"), so the
/// result is what the user would get rounding the number by hand; a result of zero has no sign.
QString FormatFixed(double value, int precision, QChar decimalSeparator);

/// The user's regional settings, read afresh at every call where a text is shown. They come
/// from QLocale(), the default locale: that is the system locale unless the program (or a test)
/// has called QLocale::setDefault.
QChar UserDecimalSeparator();
/// The user's short time format in QLocale notation ("HH:mm", "h:mm AP", ...).
QString UserShortTimeFormat();

/// Removes the accelerator marker "&" from a menu text ("&&" stays as "&").
QString WithoutAccelerator(const QString& text);

} // namespace zeft
