#pragma once

// The progress dialog of long transfers (log download, export, configuration load,
// firmware upload) and the estimate of the time they have left.

#include <QElapsedTimer>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QtGlobal>

class QProgressDialog;

// A window-modal progress dialog over the main window (mainWindowWidget), titled
// "Пожалуйста подождите", of a fixed size and shown at once; Command::progressDialog
// points at it from then on.
QProgressDialog* createProgressDialog(const QString& labelText, const QString& cancelButtonText,
                                      int minimum, int maximum);

// Seconds left at the pace so far: elapsed × (total − done) / done; 0 while nothing is
// done. Each dialog has always taken the quotient in its own order and precision, and the
// label shows the result, so the caller names its form; the rounding to what is shown
// (whole seconds, or the plain quotient) stays with the caller too.
enum class PaceForm {
    // (elapsed s × (total − done)) / done in double: firmware upload, configuration load.
    ElapsedFirst,
    // ((total − done) / done) × elapsed s, the ratio in double: log export.
    RatioFirst,
    // The same with the ratio divided in single precision: log download.
    SingleRatio,
};
double progressSecondsLeft(qint64 elapsedMs, qint64 done, qint64 total, PaceForm form);

// One long transfer (log download, export, configuration load, firmware upload) under the
// dialog of createProgressDialog: "Выполнение процесса...", "Завершить", 0 to 100,
// shown at once. Each step lets pending events run (inside a device operation the only place
// where they do: the dialog repaints and its Cancel gets through), sets the value and tells
// whether the operator cancelled. A Cancel once seen stays, also when the value then reaches
// the maximum. The dialog closes when the session ends; one without a main window to own it
// is deleted then.
class ProgressSession
{
public:
    ProgressSession();
    ~ProgressSession();
    ProgressSession(const ProgressSession&) = delete;
    ProgressSession& operator=(const ProgressSession&) = delete;

    // Events at most every `ms` milliseconds instead of at every step (the first step
    // always runs them): for loops whose steps are much shorter than an event pass.
    void setEventInterval(int ms) { eventIntervalMs = ms; }
    // Runs pending events and sets the value; false once the operator cancelled: the
    // transfer then ends before its next step.
    bool step(int value);
    bool cancelled();
    // Lets pending events run once more: a Cancel pressed during the last request counts.
    bool cancelledAtEnd();
    // Milliseconds since the dialog opened.
    qint64 elapsedMs() const { return clock.elapsed(); }
    // The remaining-time label: `text` with %1 replaced by `seconds`.
    void showRemaining(const QString& text, qint64 seconds);
    void setLabelText(const QString& text);
    QProgressDialog* dialog() const;

private:
    QPointer<QProgressDialog> box;
    QProgressDialog* made = nullptr;
    QMetaObject::Connection latch;
    bool latched = false;
    int steps = 0;
    int eventIntervalMs = 0;
    QElapsedTimer clock;
    QElapsedTimer eventsClock;
    QString shownLabel;
};
