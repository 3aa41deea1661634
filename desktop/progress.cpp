#include "progress.h"

#include "command.h"

#include <QCoreApplication>
#include <QObject>
#include <QProgressBar>
#include <QProgressDialog>

QProgressDialog* createProgressDialog(const QString& labelText, const QString& cancelButtonText,
                                      int minimum, int maximum)
{
    auto* dialog = new QProgressDialog(labelText, cancelButtonText, minimum, maximum,
                                       mainWindowWidget, Qt::WindowFlags());
    command.progressDialog = dialog;
    dialog->setBar(new QProgressBar(dialog));
    // Reaching the maximum must not forget a Cancel pressed on the last step.
    dialog->setAutoReset(false);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setWindowTitle(QObject::tr("Пожалуйста подождите"));
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowMinimizeButtonHint &
                           ~Qt::WindowMaximizeButtonHint & ~Qt::WindowContextHelpButtonHint);
    // Wide enough for its whole title beside the window icon and the close button,
    // which take about 120 px of a title bar.
    const int titleWidth = dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 120;
    if (dialog->width() < titleWidth)
        dialog->resize(titleWidth, dialog->height());
    dialog->setMaximumSize(dialog->width(), dialog->height());
    dialog->setMinimumSize(dialog->width(), dialog->height());
    // At once, not after Qt's default 4 s: a short transfer must be
    // cancellable too, and the window-modal dialog keeps clicks off the window.
    dialog->setMinimumDuration(0);
    dialog->show();
    return dialog;
}

double progressSecondsLeft(qint64 elapsedMs, qint64 done, qint64 total, PaceForm form)
{
    if (done <= 0)
        return 0;
    const double seconds = double(elapsedMs) / 1000.0;
    const qint64 remaining = total - done;
    switch (form) {
    case PaceForm::ElapsedFirst:
        return seconds * double(remaining) / double(done);
    case PaceForm::RatioFirst:
        return double(remaining) / double(done) * seconds;
    case PaceForm::SingleRatio:
        return double(float(remaining) / float(done)) * seconds;
    }
    return 0;
}

ProgressSession::ProgressSession()
    : made(createProgressDialog(QObject::tr("Выполнение процесса..."), QObject::tr("Завершить"), 0,
                                100))
{
    box = made;
    // The cancel decides the transfer: the dialog closing itself may not forget it
    // (createProgressDialog already keeps it when the value reaches the maximum).
    box->setAutoClose(false);
    latch = QObject::connect(box.data(), &QProgressDialog::canceled, [this] { latched = true; });
    shownLabel = box->labelText();
    clock.start();
    eventsClock.start();
}

ProgressSession::~ProgressSession()
{
    QObject::disconnect(latch);
    if (box) {
        box->close();
        if (box->parent())
            return; // left to the main window, which owns it
        delete box.data();
    }
    if (command.progressDialog == made)
        command.progressDialog = nullptr;
}

bool ProgressSession::step(int value)
{
    if (steps++ == 0 || eventIntervalMs <= 0 || eventsClock.elapsed() >= eventIntervalMs) {
        QCoreApplication::processEvents();
        eventsClock.restart();
    }
    if (box)
        box->setValue(value);
    return !cancelled();
}

bool ProgressSession::cancelled()
{
    // A dialog gone with its window ends the transfer as a cancel does.
    if (!box || box->wasCanceled())
        latched = true;
    return latched;
}

bool ProgressSession::cancelledAtEnd()
{
    QCoreApplication::processEvents();
    return cancelled();
}

QProgressDialog* ProgressSession::dialog() const
{
    return box;
}

void ProgressSession::showRemaining(const QString& text, qint64 seconds)
{
    setLabelText(text.arg(seconds));
}

void ProgressSession::setLabelText(const QString& text)
{
    // Set on every step: only a change is worth the label's relayout.
    if (!box || text == shownLabel)
        return;
    shownLabel = text;
    box->setLabelText(text);
}
