// The about box.

#include "apptest.h"
#include "dialogs.h"
#include "mainwindow.h"
#include "reference.h"
#include "warningguard.h"
#include "widgetlookup.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

class TestReference : public QObject
{
    Q_OBJECT

    WarningGuard guard;

    static QString label(QWidget* box, const char* name)
    {
        return child<QLabel>(*box, name)->text();
    }

private slots:
    void initTestCase() { guard.install(); }
    void init()
    {
        apptest::resetCommand();
        apptest::removeIni();
    }
    void cleanup() { QIRO_CHECK_WARNINGS(guard); }
    void cleanupTestCase() { apptest::removeIni(); }

    // Captions follow the language, the values never do.
    void contents_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("Russian") << false
                                 << QStringList{"Справка",
                                                "Версия программы:", "Название программы:",
                                                "Дата обновления:", "Закрыть"};
        QTest::newRow("English") << true
                                 << QStringList{"About", "Program version:", "Program name:",
                                                "Build date:", "Close"};
    }
    void contents()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, captions);
        MainWindow window;
        if (english)
            window.findChild<QRadioButton*>("radioButtonLanguageEn")->click();
        Reference box(&window);
        QCOMPARE(box.windowTitle(), captions[0]);
        QCOMPARE(label(&box, "label"), captions[1]);
        QCOMPARE(label(&box, "label_2"), captions[2]);
        QCOMPARE(label(&box, "label_3"), captions[3]);
        QCOMPARE(box.findChild<QPushButton*>("pushButton")->text(), captions[4]);
        QCOMPARE(label(&box, "label_program_version"), QString("1.18"));
        QCOMPARE(label(&box, "label_program_name"), QString("Qiro Configuration"));
        const QString date = label(&box, "label_program_update_date");
        QVERIFY2(QRegularExpression("^[A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4}$").match(date).hasMatch(),
                 qPrintable(date));
        QCOMPARE(box.minimumSize(), QSize(320, 120));
        QCOMPARE(box.maximumSize(), QSize(320, 120));
        QVERIFY(!(box.windowFlags() & Qt::WindowContextHelpButtonHint));
    }

    void closeButtonEndsTheBox()
    {
        Reference box(nullptr);
        box.show();
        QTest::mouseClick(box.findChild<QPushButton*>("pushButton"), Qt::LeftButton);
        QVERIFY(!box.isVisible());
    }

    void menuOpensTheBoxModally()
    {
        MainWindow window;
        window.statusBar()->showMessage("stale");
        QString shownTitle;
        bool closed = false;
        dialogs::Script script;
        script.act([&shownTitle, &closed](QDialog& box) {
            shownTitle = box.windowTitle();
            child<QPushButton>(box, "pushButton")->click();
            closed = !box.isVisible();
        });
        window.findChild<QAction*>("action_reference")->trigger();
        QCOMPARE(script.ran, QStringList{"Reference"});
        QVERIFY(closed); // by its own button
        QCOMPARE(shownTitle, QString("Справка"));
        QCOMPARE(window.statusBar()->currentMessage(), QString());
    }
};

QTEST_MAIN(TestReference)
#include "tst_reference.moc"
