// The progress dialog of long transfers.

#include "command.h"

#include <QMainWindow>
#include <QProgressDialog>
#include <QtTest>

class TestProgressDialog : public QObject
{
    Q_OBJECT

private slots:
    void dialogOfTheMainWindow()
    {
        QMainWindow window;
        mainWindowWidget = &window;
        QProgressDialog* first = command.createProgressDialog("a", "Завершить", 0, 100);
        QProgressDialog* second = command.createProgressDialog("b", "Завершить", 0, 100);
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
        QMainWindow window;
        window.show();
        mainWindowWidget = &window;
        QProgressDialog* dialog = command.createProgressDialog("a", "Завершить", 0, 100);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->minimumDuration(), 0);
        mainWindowWidget = nullptr;
        command.progressDialog = nullptr;
    }

    // A Cancel pressed on the last step stays pressed when the value reaches the maximum.
    void cancelOnTheLastStep()
    {
        QMainWindow window;
        mainWindowWidget = &window;
        QProgressDialog* dialog = command.createProgressDialog("a", "Завершить", 0, 10);
        dialog->setValue(9);
        dialog->cancel();
        dialog->setValue(10);
        QVERIFY(dialog->wasCanceled());
        mainWindowWidget = nullptr;
        command.progressDialog = nullptr;
    }
};

QTEST_MAIN(TestProgressDialog)
#include "test_progressdialog.moc"
