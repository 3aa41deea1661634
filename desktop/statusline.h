#pragma once

// The main window's status bar, for the shell and the pages below it. The main
// window sets the host while it lives; without one a message goes nowhere.
//
// A command the operator starts (a button, a menu entry) says how it ended in
// the status bar, once, when it ends. It opens an Outcome for its run; whatever
// it and the roads it takes report (a write, the read-back after it, a file)
// goes into that outcome, and the outcome decides what stands: a failure, a
// refusal or a cancel is never covered by a later success, so the read-back's
// "success" cannot hide a write that failed or never went out. Without a
// command running, a report goes straight to the status bar (the auto-update
// read, a tab change).

#include <QString>

#include <functional>

namespace statusline
{

using Host = std::function<void(const QString&)>;
// An empty host drops the messages.
void setHost(Host host);

// Shown at once and decides nothing: a progress text ("Идет передача данных..."),
// or a message of a dialog that runs its own attempts.
void show(const QString& text);

// How a command (or one step of it) ended, from the mildest to the gravest.
enum class Severity {
    None,      // nothing reported yet
    Success,   // done, or a refresh that found nothing wrong
    Cancelled, // the operator stopped it or answered No: nothing was done
    Refused,   // the program would not do it (no link, layout unknown, ...)
    Failed     // it was tried and went wrong
};

// One command's outcome, from its start to its end. Outcomes do not nest: an
// Outcome made while another is open joins that one, so a command run from
// inside another reports into the outer one and only the outer one ends it.
class Outcome
{
public:
    Outcome();
    // Ends the command: its decided text is put in the status bar again (whatever
    // went there directly meanwhile); with nothing reported the bar is left alone.
    ~Outcome();
    Outcome(const Outcome&) = delete;
    Outcome& operator=(const Outcome&) = delete;

    void succeed(const QString& text) { report(Severity::Success, text); }
    void cancel(const QString& text) { report(Severity::Cancelled, text); }
    void refuse(const QString& text) { report(Severity::Refused, text); }
    void fail(const QString& text) { report(Severity::Failed, text); }
    // Kept, and shown at once, unless something graver was reported before.
    void report(Severity severity, const QString& text);

    // What stands so far (of the command this outcome belongs to).
    Severity severity() const;
    QString text() const;
    bool succeeded() const { return severity() == Severity::Success; }

private:
    Outcome* outer = nullptr; // the open outcome this one joined, or null
    Severity decided = Severity::None;
    QString decidedText;
};

// Reported into the open outcome, or, with none open, shown at once.
void report(Severity severity, const QString& text);
inline void succeed(const QString& text)
{
    report(Severity::Success, text);
}
inline void cancel(const QString& text)
{
    report(Severity::Cancelled, text);
}
inline void refuse(const QString& text)
{
    report(Severity::Refused, text);
}
inline void fail(const QString& text)
{
    report(Severity::Failed, text);
}

// A failed exchange, into the open outcome: "Ошибка обмена данными" as a
// failure, or, when the device link refused a write because no probe has told
// the register layout yet, the refusal text as a refusal (nothing went out).
void exchangeFailed();

// Offline every exchange "succeeds" without a byte on the line: what a command
// that would talk to the device says then, instead of a success.
QString offlineText();

} // namespace statusline
