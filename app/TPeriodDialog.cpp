#include "TPeriodDialog.h"

#include "TTemperature.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QTimeEdit>
#include <algorithm>
#include <cmath>

namespace zeft {

namespace {

constexpr int LastStartMinutes = 23 * 60 + 50;

int MinutesOfDay(const QTime& time) {
    return time.hour() * 60 + time.minute();
}

QTime TimeOfMinutes(int minutes) {
    return QTime(minutes / 60, minutes % 60);
}

/// A time field whose minutes step by 10, the model's grid.
class TTenMinuteTimeEdit : public QTimeEdit {
public:
    using QTimeEdit::QTimeEdit;

    void stepBy(int steps) override {
        if (currentSection() != QDateTimeEdit::MinuteSection) {
            QTimeEdit::stepBy(steps);
            return;
        }
        const int mark = MinutesOfDay(time()) / 10 * 10;
        const int lowest = MinutesOfDay(minimumTime()), highest = MinutesOfDay(maximumTime());
        setTime(TimeOfMinutes(std::clamp(mark + steps * 10, lowest, highest)));
    }
};

} // namespace

TPeriodDialog::TPeriodDialog(QWidget* parent, TTime start, double temperature, bool startEditable)
    : QDialog(parent), FInitialTemperature(temperature) {
    setObjectName(QStringLiteral("dlgPeriod"));
    setWindowTitle(LoadLanguageString(TextId::PeriodDialogTitle));

    FStart = new TTenMinuteTimeEdit(this);
    FStart->setObjectName(QStringLiteral("edtStart"));
    FStart->setDisplayFormat(UserShortTimeFormat());
    FStart->setTimeRange(QTime(0, 0), TimeOfMinutes(LastStartMinutes));
    FStart->setTime(TimeOfMinutes(std::clamp(MinutesOf(start) / 10 * 10, 0, LastStartMinutes)));
    FStart->setCurrentSection(QDateTimeEdit::MinuteSection);
    FStart->setReadOnly(!startEditable);
    if (!startEditable)
        FStart->setButtonSymbols(QAbstractSpinBox::NoButtons);

    FTemperature = new QDoubleSpinBox(this);
    FTemperature->setObjectName(QStringLiteral("edtTemperature"));
    FTemperature->setRange(TTemperature::MinTemperature, TTemperature::MaxTemperature);
    FTemperature->setDecimals(1);
    FTemperature->setSingleStep(0.5);
    FTemperature->setSuffix(QStringLiteral(" \u00b0C"));
    FTemperature->setValue(temperature);
    FInitialShown = FTemperature->value();

    auto* startLabel = new QLabel(LoadLanguageString(TextId::PeriodDialogStart), this);
    startLabel->setBuddy(FStart);
    auto* temperatureLabel = new QLabel(LoadLanguageString(TextId::PeriodDialogTemperature), this);
    temperatureLabel->setBuddy(FTemperature);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(startLabel, FStart);
    layout->addRow(temperatureLabel, FTemperature);
    layout->addRow(buttons);
    (startEditable ? static_cast<QWidget*>(FStart) : FTemperature)->setFocus();
}

TTime TPeriodDialog::Start() const {
    return TimeOf(0, MinutesOfDay(FStart->time()) / 10 * 10);
}

double TPeriodDialog::Temperature() const {
    const double value = FTemperature->value();
    if (value == FInitialShown)
        return FInitialTemperature;
    return std::clamp(std::round(value * 2.0) / 2.0, TTemperature::MinTemperature,
                      TTemperature::MaxTemperature);
}

} // namespace zeft
