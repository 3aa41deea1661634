// The progress dialog of long transfers.

#include "command.h"
#include "progress.h"

#include <QMainWindow>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

// A shown main window as the parent of the progress dialogs, for one test.
struct OwnerWindow {
    QMainWindow window;
    OwnerWindow()
    {
        window.show();
        mainWindowWidget = &window;
    }
    ~OwnerWindow()
    {
        mainWindowWidget = nullptr;
        command.progressDialog = nullptr;
    }
};

class TestProgressDialog : public QObject
{
    Q_OBJECT

private slots:
    void dialogOfTheMainWindow()
    {
        QMainWindow window;
        mainWindowWidget = &window;
        QProgressDialog* first = createProgressDialog("a", "Завершить", 0, 100);
        QProgressDialog* second = createProgressDialog("b", "Завершить", 0, 100);
        QCOMPARE(command.progressDialog, second);
        QCOMPARE(first->parent(), &window); // the first one is left to the window
        QCOMPARE(second->windowTitle(), QString("Пожалуйста подождите"));
        QCOMPARE(second->windowModality(), Qt::WindowModal);
        const Qt::WindowFlags flags = second->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QCOMPARE(second->minimumSize(), second->maximumSize());
        QCOMPARE(second->minimum(), 0);
        QCOMPARE(second->maximum(), 100);
        mainWindowWidget = nullptr;
        command.progressDialog = nullptr;
    }

    // Shown at once: Qt's default waits 4 s, and a transfer shorter than that
    // would run with no cancel button and the window open for clicks.
    void shownAtOnce()
    {
        OwnerWindow owner;
        QProgressDialog* dialog = createProgressDialog("a", "Завершить", 0, 100);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->minimumDuration(), 0);
    }

    // A Cancel pressed on the last step stays pressed when the value reaches the maximum.
    void cancelOnTheLastStep()
    {
        OwnerWindow owner;
        QProgressDialog* dialog = createProgressDialog("a", "Завершить", 0, 10);
        dialog->setValue(9);
        dialog->cancel();
        dialog->setValue(10);
        QVERIFY(dialog->wasCanceled());
    }

    // The session of a long transfer: its dialog is up before the first step, and
    // goes when the session ends: hidden and left to the main window that owns it, or
    // deleted when there is none.
    void sessionShownAtOnceAndClosedOnScopeExit()
    {
        auto owner = std::make_unique<OwnerWindow>();
        QPointer<QProgressDialog> owned;
        {
            ProgressSession session;
            owned = session.dialog();
            QVERIFY(owned);
            QCOMPARE(command.progressDialog, owned.data());
            QVERIFY(owned->isVisible());
            QCOMPARE(owned->windowTitle(), QString("Пожалуйста подождите"));
            QCOMPARE(owned->labelText(), QString("Выполнение процесса..."));
            QCOMPARE(owned->findChild<QPushButton*>()->text(), QString("Завершить"));
            QVERIFY(session.step(40));
            QCOMPARE(owned->value(), 40);
            session.showRemaining("Выполнение процесса,\nосталось %1 секунд", 45);
            QCOMPARE(owned->labelText(), QString("Выполнение процесса,\nосталось 45 секунд"));
        }
        QVERIFY(owned);
        QVERIFY(!owned->isVisible());
        owner.reset();
        QPointer<QProgressDialog> alone;
        {
            ProgressSession session;
            alone = session.dialog();
            QVERIFY(alone->isVisible());
        }
        QVERIFY(!alone);
        QCOMPARE(command.progressDialog, nullptr);
    }

    // A Cancel once pressed ends the transfer, whatever the dialog does next: the
    // value reaching the maximum, a reset of Qt's own flag, a later step.
    void sessionCancelLatched_data()
    {
        QTest::addColumn<bool>("button"); // else the dialog's cancel()
        QTest::newRow("Cancel button") << true;
        QTest::newRow("cancel()") << false;
    }
    void sessionCancelLatched()
    {
        QFETCH(bool, button);
        OwnerWindow owner;
        ProgressSession session;
        QProgressDialog* dialog = session.dialog();
        QVERIFY(session.step(0));
        QVERIFY(session.step(99));
        // Pressed while the last step runs its events: that step already ends it.
        QTimer::singleShot(0, dialog, [dialog, button] {
            if (button)
                dialog->findChild<QPushButton*>()->click();
            else
                dialog->cancel();
        });
        QVERIFY(!session.step(100));
        QCOMPARE(dialog->value(), 100);
        QVERIFY(session.cancelled());
        if (button) {
            dialog->reset(); // clears Qt's flag, not the session's
            QVERIFY(session.cancelled());
        }
        QVERIFY(!session.step(100));
        QVERIFY(session.cancelledAtEnd());
    }

    // A Cancel pressed during the last request, after the last step, is seen by the
    // check at the end, which lets the events run once more.
    void sessionCancelAfterTheLastStep()
    {
        OwnerWindow owner;
        ProgressSession session;
        QVERIFY(session.step(100));
        QProgressDialog* dialog = session.dialog();
        QTimer::singleShot(0, dialog, [dialog] { dialog->cancel(); });
        QVERIFY(!session.cancelled());
        QVERIFY(session.cancelledAtEnd());
    }

    // Events run at every step, or with an interval at the first step and then once
    // the interval has passed (here never); the check at the end runs them always.
    void sessionEvents()
    {
        int ran = 0;
        auto post = [&ran] { QTimer::singleShot(0, [&ran] { ++ran; }); };
        {
            ProgressSession session;
            post();
            session.step(1);
            QCOMPARE(ran, 1);
            post();
            session.step(2);
            QCOMPARE(ran, 2);
        }
        {
            ProgressSession session;
            session.setEventInterval(24 * 3600 * 1000);
            post();
            session.step(1);
            QCOMPARE(ran, 3);
            post();
            session.step(1); // a new value would run them too: Qt's modal dialog does
            QCOMPARE(ran, 3);
            session.cancelledAtEnd();
            QCOMPARE(ran, 4);
        }
        QCOMPARE(command.progressDialog, nullptr);
    }

    // The time left, elapsed x (total - done) / done, in each dialog's own order and
    // precision; cut to whole seconds, where they part.
    void secondsLeft_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<qint64>("seconds");
        // 87 s x 71 = 6177, / 29 = 213 exactly; 71 / 29 first falls just short of it.
        QTest::newRow("elapsed first") << int(PaceForm::ElapsedFirst) << qint64(87000) << qint64(29)
                                       << qint64(100) << qint64(213);
        // 15 / 7 in double lies below 2.142857..., and x 1.4 s gives just under 3.
        QTest::newRow("ratio first")
            << int(PaceForm::RatioFirst) << qint64(1400) << qint64(7) << qint64(22) << qint64(2);
        // 7 / 10 in single precision is 0.69999999, and x 10 s just under 7.
        QTest::newRow("single ratio")
            << int(PaceForm::SingleRatio) << qint64(10000) << qint64(10) << qint64(17) << qint64(6);
        QTest::newRow("example") << int(PaceForm::SingleRatio) << qint64(5000) << qint64(100)
                                 << qint64(1000) << qint64(45);
        QTest::newRow("nothing done")
            << int(PaceForm::ElapsedFirst) << qint64(5000) << qint64(0) << qint64(100) << qint64(0);
    }
    void secondsLeft()
    {
        QFETCH(int, form);
        QFETCH(qint64, ms);
        QFETCH(qint64, done);
        QFETCH(qint64, total);
        QFETCH(qint64, seconds);
        QCOMPARE(qint64(progressSecondsLeft(ms, done, total, PaceForm(form))), seconds);
    }

    // A dialog that goes away with its window ends the transfer as a Cancel does.
    void sessionDialogGone()
    {
        ProgressSession session;
        QVERIFY(session.step(10));
        delete session.dialog();
        QVERIFY(!session.step(20));
        QVERIFY(session.cancelled());
        session.showRemaining("%1", 1); // nothing to show it in
    }
};

QTEST_MAIN(TestProgressDialog)
#include "test_progressdialog.moc"
