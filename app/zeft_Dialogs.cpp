#include "zeft_Dialogs.h"

#include "TPeriodDialog.h"

#include <QFileDialog>
#include <QPushButton>
#include <QStringList>

namespace zeft {

QMessageBox::StandardButton TDialogs::Message(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& caption, const QString& text,
                                              QMessageBox::StandardButtons buttons) {
    if (MessageHook)
        return MessageHook({icon, caption, text, buttons});
    QMessageBox box(icon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString TDialogs::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // The description already names its patterns; Qt takes them from the parentheses.
        QString description = parts[i];
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        filters << description.replace(QLatin1Char(';'), QLatin1Char(' '));
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const QString& preset, const QString& filter,
                                     bool saving,
                                     const QString& defaultSuffix = QStringLiteral("zeft")) {
    if (TDialogs::FileHook)
        return TDialogs::FileHook(preset, filter, saving);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(TDialogs::QtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    // Replacing an existing file is the user's decision: the dialog asks, in Qt's own words in
    // the interface language.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!preset.isEmpty())
        dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<TDialogs::TPeriodValues>
TDialogs::EditPeriod(QWidget* parent, const TPeriodValues& values, bool startEditable) {
    if (PeriodHook)
        return PeriodHook(values, startEditable);
    TPeriodDialog dialog(parent, values.Start, values.Temperature, startEditable);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return TPeriodValues{dialog.Start(), dialog.Temperature()};
}

bool TDialogs::Choose(QWidget* parent, const QString& caption, const QString& text,
                      const QString& first, const QString& second) {
    if (MessageHook)
        return MessageHook({QMessageBox::Question, caption, text,
                            QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(first, QMessageBox::AcceptRole);
    box.addButton(second, QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

int TDialogs::Ask(QWidget* parent, const QString& caption, const QString& text,
                  const QString& first, const QString& second, const QString& third) {
    if (MessageHook) {
        const auto answer = MessageHook({QMessageBox::Warning, caption, text,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel});
        return answer == QMessageBox::Yes ? 0 : answer == QMessageBox::No ? 1 : 2;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
    QPushButton* buttons[] = {box.addButton(first, QMessageBox::AcceptRole),
                              box.addButton(second, QMessageBox::ActionRole),
                              box.addButton(third, QMessageBox::RejectRole)};
    box.setDefaultButton(buttons[2]);
    box.exec();
    for (int i = 0; i < 2; ++i)
        if (box.clickedButton() == buttons[i])
            return i;
    return 2;
}

std::optional<QString> TDialogs::OpenFileName(QWidget* parent, const QString& preset,
                                              const QString& filter) {
    return RunFileDialog(parent, preset, filter, false);
}

std::optional<QString> TDialogs::SaveFileName(QWidget* parent, const QString& preset,
                                              const QString& filter) {
    return RunFileDialog(parent, preset, filter, true);
}

std::optional<QString> TDialogs::SaveFileName(QWidget* parent, const QString& preset,
                                              const QString& filter, const QString& defaultSuffix) {
    return RunFileDialog(parent, preset, filter, true, defaultSuffix);
}

} // namespace zeft
