#pragma once

// Qt reports a name-based slot that found no matching signal or object (a
// misnamed widget or slot) only as a warning, and the connection silently
// does not exist. The guard collects every Qt warning and critical message
// raised while it is installed, so that a test can fail on them; the few
// messages the platform itself prints in a headless run are let through.
//
// Install it in initTestCase() (Qt Test installs its own handler when the run
// starts; the guard passes every message on to it) and call check() in
// cleanup():
//
//     WarningGuard guard;
//     void initTestCase() { guard.install(); }
//     void cleanup() { QIRO_CHECK_WARNINGS(guard); }

#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class WarningGuard
{
public:
    WarningGuard() = default;
    ~WarningGuard() { uninstall(); }
    WarningGuard(const WarningGuard&) = delete;
    WarningGuard& operator=(const WarningGuard&) = delete;

    void install()
    {
        if (active() == this)
            return;
        active() = this;
        previous = qInstallMessageHandler(&WarningGuard::handle);
    }

    void uninstall()
    {
        if (active() != this)
            return;
        qInstallMessageHandler(previous);
        active() = nullptr;
    }

    // A warning containing this text is expected from now on and not collected.
    void allow(const QString& fragment)
    {
        QMutexLocker lock(&mutex);
        allowed << fragment;
    }

    // The collected messages, emptied.
    QStringList take()
    {
        QMutexLocker lock(&mutex);
        QStringList out;
        out.swap(caught);
        return out;
    }

private:
    static WarningGuard*& active()
    {
        static WarningGuard* guard = nullptr;
        return guard;
    }

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        WarningGuard* guard = active();
        if (guard && (type == QtWarningMsg || type == QtCriticalMsg))
            guard->collect(message);
        QtMessageHandler next = guard ? guard->previous : nullptr;
        if (next)
            next(type, context, message);
    }

    void collect(const QString& message)
    {
        // Printed by a headless session, not by the program.
        static const char* const platformNoise[] = {
            "XDG_RUNTIME_DIR not set",
            "This plugin does not support",
        };
        for (const char* noise : platformNoise) {
            if (message.contains(QLatin1String(noise)))
                return;
        }
        QMutexLocker lock(&mutex);
        for (const QString& fragment : allowed) {
            if (message.contains(fragment))
                return;
        }
        caught << message;
    }

    QtMessageHandler previous = nullptr;
    QMutex mutex;
    QStringList allowed;
    QStringList caught;
};

#define QIRO_CHECK_WARNINGS(guard)                                                                 \
    do {                                                                                           \
        const QStringList qiroWarnings = (guard).take();                                           \
        QVERIFY2(qiroWarnings.isEmpty(), qPrintable(QStringLiteral("Qt warnings: ") +              \
                                                    qiroWarnings.join(QLatin1Char('\n'))));        \
    } while (false)
