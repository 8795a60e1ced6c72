#pragma once

#include <QChar>
#include <QString>
#include <variant>
#include <vector>

namespace zeft {

using TFormatArg = std::variant<double, long long, QString>;

/// Formats a text with Delphi-style specifiers: %s, %d, %x, %f with optional argument index
/// ("%0:s", "%1:.1f"), width and precision ("%4.4x"), and "%%". Numbers take the given decimal
/// separator. A specifier without a matching argument is left as it stands.
QString FormatText(const QString& format, const std::vector<TFormatArg>& args,
                   QChar decimalSeparator);
/// The same with the user's decimal separator.
QString FormatText(const QString& format, const std::vector<TFormatArg>& args);

/// The user's regional settings, read where a text is shown.
QChar UserDecimalSeparator();
/// The user's short time format in QLocale notation ("HH:mm", "h:mm AP", ...).
QString UserShortTimeFormat();

/// Removes the accelerator marker "&" from a menu text ("&&" stays as "&").
QString WithoutAccelerator(const QString& text);

} // namespace zeft
