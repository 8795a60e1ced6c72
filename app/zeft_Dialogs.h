#pragma once

#include "zeft_Time.h"

#include <QMessageBox>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace zeft {

/// The program's modal questions and file dialogs, behind seams that tests answer: when a hook
/// is set it is asked instead of showing the dialog.
class TDialogs {
public:
    /// A message box; returns the button pressed.
    static QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                               const QString& caption, const QString& text,
                                               QMessageBox::StandardButtons buttons);
    /// A question with two answers named by the program ("Send", "Withdraw"); true for the
    /// first. Tests answer it through MessageHook: Yes is the first, anything else the second.
    static bool Choose(QWidget* parent, const QString& caption, const QString& text,
                       const QString& first, const QString& second);
    /// A warning with three answers named by the program; the index of the one chosen (the
    /// last also when the box is closed). Tests answer Yes, No or Cancel for 0, 1 and 2.
    static int Ask(QWidget* parent, const QString& caption, const QString& text,
                   const QString& first, const QString& second, const QString& third);
    /// The open or save dialog with the filter of text 4801 (description|pattern pairs) and
    /// the default suffix "zeft"; returns the chosen path, or nothing when cancelled.
    static std::optional<QString> OpenFileName(QWidget* parent, const QString& preset,
                                               const QString& filter);
    static std::optional<QString> SaveFileName(QWidget* parent, const QString& preset,
                                               const QString& filter);
    /// The save dialog for another kind of file: its filter and its default suffix ("pdf").
    static std::optional<QString> SaveFileName(QWidget* parent, const QString& preset,
                                               const QString& filter, const QString& defaultSuffix);

    /// The start and the temperature of one period, as the exact-value dialog shows them.
    struct TPeriodValues {
        TTime Start = 0.0;
        double Temperature = 0.0;
    };
    /// The exact-value dialog (TPeriodDialog) for a period; the start is read-only unless
    /// startEditable. Returns the values confirmed, or nothing when cancelled.
    static std::optional<TPeriodValues> EditPeriod(QWidget* parent, const TPeriodValues& values,
                                                   bool startEditable);

    /// Converts "Text (*.a)|*.a|All (*.*)|*.*" into Qt's "Text (*.a);;All (*.*)" form.
    static QString QtFilter(const QString& filter);

    struct TMessageRequest {
        QMessageBox::Icon Icon;
        QString Caption;
        QString Text;
        QMessageBox::StandardButtons Buttons;
    };
    static inline std::function<QMessageBox::StandardButton(const TMessageRequest&)> MessageHook;
    /// Gets (preset, filter, saving) and answers with a path or nothing.
    static inline std::function<std::optional<QString>(const QString&, const QString&, bool)>
        FileHook;
    /// Gets (values, startEditable) and answers as the exact-value dialog would.
    static inline std::function<std::optional<TPeriodValues>(const TPeriodValues&, bool)>
        PeriodHook;
};

} // namespace zeft
