// The seam of the modal questions: with a script nothing opens, every request
// is recorded and answered from the queue, or cancelled.

#include "dialogs.h"
#include "warningguard.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class MisnamedSlot : public QObject
{
    Q_OBJECT

public slots:
    void on_missingButton_clicked() {}
};

class TestDialogs : public QObject
{
    Q_OBJECT

    WarningGuard guard;

private slots:
    void initTestCase() { guard.install(); }
    void cleanup() { QIRO_CHECK_WARNINGS(guard); }

    void queuedAnswersInOrder()
    {
        dialogs::Script script;
        script.button(QMessageBox::Yes).accept("C:/Папка/config.txt").accept("Текст");
        QCOMPARE(dialogs::question(nullptr, "Вопрос", "Продолжить?"), QMessageBox::Yes);
        QCOMPARE(dialogs::getOpenFileName(nullptr, "Файл", "C:/Папка", "(*.txt)"),
                 QString("C:/Папка/config.txt"));
        bool ok = false;
        QCOMPARE(dialogs::getText(nullptr, "Имя", "Введите:", QLineEdit::Normal, "было", &ok),
                 QString("Текст"));
        QVERIFY(ok);
        QCOMPARE(script.pending(), 0);
        QCOMPARE(script.titles(), (QStringList{"Вопрос", "Файл", "Имя"}));
        QCOMPARE(script.texts(), (QStringList{"Продолжить?", "C:/Папка", "Введите:"}));
        QCOMPARE(script.shown[1].filter, QString("(*.txt)"));
        QCOMPARE(script.shown[1].kind, dialogs::Kind::OpenFile);
        QCOMPARE(script.shown[2].value, QString("было"));
    }

    void unscriptedRequestsAreCancelled_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK only") << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("yes or no")
            << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No);
        QTest::newRow("OK or cancel")
            << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Cancel);
    }
    void unscriptedRequestsAreCancelled()
    {
        QFETCH(int, buttons);
        QFETCH(int, answer);
        dialogs::Script script;
        QCOMPARE(int(dialogs::warning(nullptr, "Ошибка", "Текст",
                                      QMessageBox::StandardButtons(buttons))),
                 answer);
        QCOMPARE(dialogs::getSaveFileName(nullptr, "Файл", "C:/", "(*.txt)"), QString());
        bool ok = true;
        QCOMPARE(dialogs::getItem(nullptr, "Список", "Выберите:", {"a", "b"}, 1, false, &ok),
                 QString());
        QVERIFY(!ok);
        QCOMPARE(script.shown.size(), 3);
        QCOMPARE(script.shown[2].items, (QStringList{"a", "b"}));
        QCOMPARE(script.shown[2].current, 1);
    }

    void scriptEndsWithItsScope()
    {
        {
            dialogs::Script first;
            dialogs::information(nullptr, "Один", "1");
            QCOMPARE(first.shown.size(), 1);
        }
        dialogs::Script second;
        dialogs::critical(nullptr, "Два", "2");
        QCOMPARE(second.shown.size(), 1);
        QCOMPARE(second.shown[0].kind, dialogs::Kind::Critical);
    }

    // The one box of a failed exchange: the pages warn with themselves as parent, the
    // transfers report it critically, with the result code in hexadecimal.
    void exchangeErrorBox_data()
    {
        QTest::addColumn<bool>("critical");
        QTest::addColumn<int>("code"); // -1: none
        QTest::addColumn<QString>("text");
        QTest::newRow("page") << false << -1 << "Ошибка обмена данными";
        QTest::newRow("transfer") << true << -1 << "Ошибка обмена данными";
        QTest::newRow("no reply") << true << 0x20 << "Ошибка обмена данными 20";
        QTest::newRow("CRC error") << true << 0x100 << "Ошибка обмена данными 100";
        QTest::newRow("not sent") << true << 1 << "Ошибка обмена данными 01";
    }
    void exchangeErrorBox()
    {
        QFETCH(bool, critical);
        QFETCH(int, code);
        QFETCH(QString, text);
        QWidget page;
        QWidget* parent = critical ? nullptr : &page;
        const dialogs::Kind kind = critical ? dialogs::Kind::Critical : dialogs::Kind::Warning;
        dialogs::Script script;
        if (code < 0)
            dialogs::exchangeError(parent, kind);
        else
            dialogs::exchangeError(parent, kind, quint32(code));
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(script.shown[0].kind, kind);
        QCOMPARE(script.shown[0].parent, parent);
        QCOMPARE(script.shown[0].title, QString("Ошибка"));
        QCOMPARE(script.shown[0].text, text);
        QCOMPARE(int(script.shown[0].buttons), int(QMessageBox::Ok));
    }

    // A box opened through the seam is wide enough for its title: the firmware question
    // ("Загрузить в устройство?") stood narrower than "Обновление версии ПО". The title
    // bar needs the caption's text, the window icon and the close button.
    void boxIsWideEnoughForItsTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("ru") << "Обновление версии ПО"
                            << "Загрузить в устройство?";
        QTest::newRow("en") << "Firmware update"
                            << "Upload to the device?";
        QTest::newRow("short text") << "Сохранение заводских настроек"
                                    << "Да?";
    }
    void boxIsWideEnoughForItsTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        int width = 0;
        int answered = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            poll.stop();
            width = box->width();
            ++answered;
            box->button(QMessageBox::No)->click();
        });
        poll.start(10);
        QCOMPARE(dialogs::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No,
                                   QMessageBox::No),
                 QMessageBox::No);
        QCOMPARE(answered, 1);
        const QFontMetrics caption(QApplication::font("QMdiSubWindowTitleBar"));
        const int needed = caption.horizontalAdvance(title) + 32 + 46 + 24; // icon, close, frame
        QVERIFY2(width >= needed, qPrintable(QString("%1 < %2").arg(width).arg(needed)));
    }

    // The question before replacing something for good, on the real box: Enter
    // takes the default, No; only the Yes button says yes.
    void confirmReplaceDefaultsToNo_data()
    {
        QTest::addColumn<bool>("enter"); // Enter pressed, else Yes clicked
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("Enter") << true << false;
        QTest::newRow("Yes clicked") << false << true;
    }
    void confirmReplaceDefaultsToNo()
    {
        QFETCH(bool, enter);
        QFETCH(bool, confirmed);
        int answered = 0;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            poll.stop();
            ++answered;
            defaultButton = box->standardButton(box->defaultButton());
            if (enter)
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->button(QMessageBox::Yes)->click();
        });
        poll.start(10);
        QCOMPARE(
            dialogs::confirmReplace(nullptr, "Обновление версии ПО", "Загрузить в устройство?"),
            confirmed);
        QCOMPARE(answered, 1);
        QCOMPARE(int(defaultButton), int(QMessageBox::No));
    }

    // A save dialog's name without a suffix takes the chosen type's, so that the
    // open dialog's filter finds the file again; a name with one keeps it. The
    // completed name may be an existing file the dialog did not ask about: then
    // the seam asks, No by default, and No cancels.
    void saveNameTakesTheChosenSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("chosen"); // empty: the dialog's first type
        QTest::addColumn<QString>("expected");
        QTest::newRow("configuration") << "cfg"
                                       << "(*.txt)"
                                       << ""
                                       << "cfg.txt";
        QTest::newRow("first of several") << "report"
                                          << "(*.txt);;(*.csv);;(*.xlsx)"
                                          << ""
                                          << "report.txt";
        QTest::newRow("chosen in the list") << "report"
                                            << "(*.txt);;(*.csv);;(*.xlsx)"
                                            << "(*.xlsx)"
                                            << "report.xlsx";
        QTest::newRow("trailing dot") << "cfg."
                                      << "(*.txt)"
                                      << ""
                                      << "cfg.txt";
        QTest::newRow("own suffix kept") << "cfg.bak"
                                         << "(*.txt)"
                                         << ""
                                         << "cfg.bak";
        QTest::newRow("dotted folder") << "my.folder/cfg"
                                       << "(*.txt)"
                                       << ""
                                       << "my.folder/cfg.txt";
    }
    void saveNameTakesTheChosenSuffix()
    {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        dialogs::Script script;
        script.accept(dir.filePath(typed), chosen);
        QString selected;
        QCOMPARE(dialogs::getSaveFileName(nullptr, "Файл", dir.path(), filter, &selected),
                 dir.filePath(expected));
        QCOMPARE(selected, chosen.isEmpty() ? filter.section(";;", 0, 0) : chosen);
        QCOMPARE(script.shown.size(), 1); // nothing to replace: no question
    }

    void completedNameAsksBeforeReplacing_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("kept");
        QTest::newRow("No") << int(QMessageBox::No) << false;
        QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
    }
    void completedNameAsksBeforeReplacing()
    {
        QFETCH(int, answer);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString existing = dir.filePath("cfg.txt");
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        dialogs::Script script;
        script.accept(dir.filePath("cfg")).button(QMessageBox::StandardButton(answer));
        QCOMPARE(dialogs::getSaveFileName(nullptr, "Файл конфигурации", dir.path(), "(*.txt)"),
                 kept ? existing : QString());
        QCOMPARE(script.shown.size(), 2);
        const dialogs::Request& asked = script.shown[1];
        QCOMPARE(int(asked.kind), int(dialogs::Kind::Question));
        QCOMPARE(asked.title, QString("Файл конфигурации"));
        QCOMPARE(asked.text,
                 "Файл " + QDir::toNativeSeparators(existing) + " уже существует.\nЗаменить его?");
        QCOMPARE(int(asked.buttons), int(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(int(asked.defaultButton), int(QMessageBox::No));
    }

    // The program's own dialogs: the queued actions run in the dialog, shown and modal
    // as under exec(), and questions it asks meanwhile take the replies' queue; a
    // dialog without actions left is closed.
    void ownDialogsTakeTheirActions()
    {
        QDialog dialog;
        dialog.setWindowTitle("Вход");
        auto* ok = new QPushButton("OK", &dialog);
        connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        dialogs::Script script;
        bool shownModal = false;
        QMessageBox::StandardButton asked = QMessageBox::NoButton;
        script.button(QMessageBox::Yes).act([&](QDialog& d) {
            shownModal = d.isVisible() && d.isModal();
            asked = dialogs::question(&d, "Вопрос", "Войти?");
            ok->click();
        });
        QCOMPARE(dialogs::exec(dialog), int(QDialog::Accepted));
        QVERIFY(shownModal);
        QCOMPARE(asked, QMessageBox::Yes);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialogs::exec(dialog), int(QDialog::Rejected)); // nothing left: closed
        QCOMPARE(script.ran, (QStringList{"QDialog", "QDialog"}));
        QCOMPARE(script.texts(), QStringList{"Войти?"});
        QCOMPARE(script.pending(), 0);
    }

    // The guard itself: a slot named after a child that does not exist is
    // caught, which Qt would otherwise only print.
    void guardCatchesUnmatchedSlots()
    {
        MisnamedSlot probe;
        QMetaObject::connectSlotsByName(&probe);
        const QStringList caught = guard.take();
        QCOMPARE(caught.size(), 1);
        QVERIFY(caught[0].contains("No matching signal for on_missingButton_clicked"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
