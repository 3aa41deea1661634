#pragma once

// Shared fixture of the read-road and write-road tests: the main window on
// the simulated detector.

#include "apptest.h"
#include "commandstate.h"
#include "dialogs.h"
#include "mainwindow.h"
#include "measurewindow.h"
#include "simdetector.h"
#include "simsequence.h"
#include "warningguard.h"
#include "widgetlookup.h"

#include <QCheckBox>
#include <QDateTime>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace roadstest
{

inline void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Everything after the first occurrence of `marker` dropped (the read-back of a save).
inline QStringList upTo(const QStringList& seq, const QString& marker)
{
    const int i = seq.indexOf(marker);
    return i < 0 ? seq : QStringList(seq.mid(0, i + 1));
}

inline const QString modelRead = "4/10/16/1";
inline const QString probe = "4/10/2457/1";
inline const QString language = "3/10/1792/1";
inline const QString commit = "16/10/576/1";

} // namespace roadstest

using namespace roadstest;

class RoadsTest : public QObject
{
protected:
    WarningGuard guard;
    SimDetector sim;
    std::unique_ptr<MainWindow> window;

    template <class T> T* find(const char* name) const { return child<T>(*window, name); }
    QString status() const { return window->statusBar()->currentMessage(); }

    // Connected to the simulator as `model` in `layout`, logged in as `user`,
    // the interface rebuilt (which reads the device once).
    void connectAs(quint16 model, SimDetector::Layout layout, const QString& user)
    {
        sim.setProfile(layout, model);
        QVERIFY(connectToSimulator(sim));
        command.userName = user;
        command.authorized = 1;
        window->setDeviceModel(model);
        command.registerMap = layout == SimDetector::Layout::Classic ? ClassicMap : ExtendedMap;
        window->rebuildDeviceUi();
        sim.clearLog();
    }

    void click(const char* name) { find<QPushButton>(name)->click(); }

    void common_initTestCase()
    {
        guard.install();
        patientReplyTimeouts();
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    }

    void common_init()
    {
        apptest::resetCommand();
        apptest::removeIni();
        clearImage();
        sim.clearFaults();
        for (int page = 0; page < 16; ++page)
            for (int reg = 0; reg < 4096; ++reg) {
                sim.setHolding(page, reg, 0);
                sim.setInput(page, reg, 0);
            }
        for (int ch = 0; ch < 10; ++ch)
            sim.setHolding(ch, 258, quint16(ch));
        window.reset(new MainWindow);
    }

    void common_cleanup()
    {
        window.reset();
        processDeferredDeletes();
        apptest::resetCommand();
        QIRO_CHECK_WARNINGS(guard);
    }

    void common_cleanupTestCase() { apptest::removeIni(); }
};

// The fixture's slots, in every test class built on RoadsTest.
#define ROADS_TEST_FIXTURE_SLOTS                                                                   \
    void initTestCase()                                                                            \
    {                                                                                              \
        common_initTestCase();                                                                     \
    }                                                                                              \
    void init()                                                                                    \
    {                                                                                              \
        common_init();                                                                             \
    }                                                                                              \
    void cleanup()                                                                                 \
    {                                                                                              \
        common_cleanup();                                                                          \
    }                                                                                              \
    void cleanupTestCase()                                                                         \
    {                                                                                              \
        common_cleanupTestCase();                                                                  \
    }
