#pragma once

#include "zeft_NoStickReason.h"
#include "zeft_RequestOutcome.h"

#include <QDialog>
#include <cstdint>
#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace zeft {

class THeatingLocation;

/// Sends several rooms in turn over the one-way link: the user ticks the rooms (those never
/// sent or changed since are ticked), then is guided room by room — put this room's
/// controller into receive mode, press Send — and sees each result as it comes. A failed room
/// is tried again or skipped; the run never starts over. A summary ends it.
class TGuidedRunDialog : public QDialog {
public:
    struct TRoom {
        THeatingLocation* Location = nullptr;
        QString Status; ///< the room's transfer standing
        bool Ticked = false;
    };
    TGuidedRunDialog(std::vector<TRoom> rooms, QWidget* parent);

    /// Sends the room's program; the outcome comes back through Finished.
    std::function<void(const THeatingLocation& room)> OnSend;

    /// The connection's reports: Send waits for a ready stick.
    void ConnectionChanged(std::uint8_t state, std::int32_t value, const TNoStickCause& cause);
    void Finished(const QString& room, TRequestOutcome outcome);

    // The controls, for the tests.
    QListWidget* lvRooms = nullptr;
    QLabel* lbPrompt = nullptr;
    QProgressBar* pbTransfer = nullptr;
    QListWidget* lvResults = nullptr;
    QPushButton* btnStart = nullptr;
    QPushButton* btnSend = nullptr;
    QPushButton* btnSkip = nullptr;
    QPushButton* btnStop = nullptr;

private:
    enum class TStep { Choosing, Waiting, Sending, Failed, Done };
    void Start();
    void Send();
    void Skip();
    void ShowNext();
    void ShowSummary();
    void AddResult(const QString& room, const QString& result);
    void UpdateButtons();

    std::vector<TRoom> FRooms;
    std::vector<THeatingLocation*> FQueue;
    std::size_t FNext = 0;
    TStep FStep = TStep::Choosing;
    bool FStickReady = false;
    QString FStickText;
    int FSent = 0, FSkipped = 0, FFailed = 0;
    QStackedWidget* FPages = nullptr;
};

} // namespace zeft
