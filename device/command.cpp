#include "command.h"

#include "modeltraits.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProgressBar>
#include <QProgressDialog>

#include <cmath>
#include <cstring>

Command command;

quint8 archiveBlock[ArchiveBlockSize];
quint32 archiveRangeFirst = 0;
quint32 archiveRangeLast = 0;

QWidget* mainWindowWidget = nullptr;

Command::Command()
    : QObject(nullptr), serialPort(nullptr), portName(), modbusAddress(255), firmwareEndFlag(0),
      firmwareEndAddress(0), secondsPerTick(0.9375), connected(0), userName(), password(),
      authorized(0), secondPasswordAccepted(0), registerMap(ExtendedMap), modelCode(ModelNone),
      channelCount(1), channelOffMarker(170)
{
    const quint16 initial[TimeoutCount] = {85, 500, 15, 50, 150, 50, 50, 150, 50, 50, 10000, 15};
    for (int i = 0; i < TimeoutCount; ++i)
        timeouts[i] = initial[i];
    memset(requestBuffer, 0, sizeof requestBuffer);
    memset(replyBuffer, 0, sizeof replyBuffer);
}

// The progress dialog is a child of the main window, which deletes it.
Command::~Command() = default;

QProgressDialog* Command::createProgressDialog(const QString& labelText,
                                               const QString& cancelButtonText, int minimum,
                                               int maximum)
{
    auto* dialog = new QProgressDialog(labelText, cancelButtonText, minimum, maximum,
                                       mainWindowWidget, Qt::WindowFlags());
    progressDialog = dialog;
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
    : made(command.createProgressDialog(QObject::tr("Выполнение процесса..."),
                                        QObject::tr("Завершить"), 0, 100))
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

int Command::archiveRecordSize() const
{
    return traitsOf(modelCode).logRecordSize;
}

QString imageText(const char* field, int size)
{
    return QString::fromUtf8(field, int(qstrnlen(field, uint(size))));
}

void storeImageText(char* field, int size, const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > size) {
        int cut = size;
        // Step back over continuation bytes to the start of the cut character.
        while (cut > 0 && (quint8(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.truncate(cut);
    }
    std::memset(field, 0, size_t(size));
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
}

QDateTime dateFromTicks(quint32 ticks)
{
    return QDateTime::fromSecsSinceEpoch(
        qint64(std::trunc(double(ticks) * command.secondsPerTick)));
}

int localUtcOffset(qint64 utcSeconds)
{
    // Not QDateTime::offsetFromUtc: in the hour a clock change repeats, Qt 5 maps the
    // local time back to UTC and takes the offset of the wrong pass. The local date
    // and time of a moment are unambiguous; their distance from the moment is the
    // offset.
    const QDateTime local = QDateTime::fromSecsSinceEpoch(utcSeconds);
    return int(QDateTime(local.date(), local.time(), Qt::UTC).toSecsSinceEpoch() - utcSeconds);
}

quint32 ticksFromSeconds(qint64 seconds, double secondsPerTick, TickRounding rounding)
{
    if (!(secondsPerTick > 0) || !std::isfinite(secondsPerTick))
        secondsPerTick = 1.0;
    const double exact = double(seconds) / secondsPerTick;
    const double ticks =
        rounding == TickRounding::Nearest ? std::nearbyint(exact) : std::trunc(exact);
    if (!(ticks > 0))
        return 0;
    if (ticks >= 4294967295.0)
        return 0xFFFFFFFFu;
    return quint32(ticks);
}
