// The login dialog on both pages, the built-in accounts and the access level.

#include "accounts.h"
#include "apptest.h"
#include "authorizationwindow.h"
#include "dialogs.h"
#include "warningguard.h"
#include "widgetlookup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QtTest>

class TestAuthorization : public QObject
{
    Q_OBJECT

    WarningGuard guard;

    static QLineEdit* field(QWidget* dialog, const char* name)
    {
        return child<QLineEdit>(*dialog, name);
    }
    static QPushButton* button(QWidget* dialog, const char* name)
    {
        return child<QPushButton>(*dialog, name);
    }

private slots:
    void initTestCase() { guard.install(); }
    void init() { apptest::resetCommand(); }
    void cleanup()
    {
        apptest::resetCommand();
        QIRO_CHECK_WARNINGS(guard);
    }

    void passwordsAreFourDistinctDigitGroups()
    {
        const QStringList passwords = {userPassword, adminPassword, industryPassword,
                                       factoryReadPassword};
        const QRegularExpression fourDigits("^[0-9]{4}$");
        for (const QString& p : passwords)
            QVERIFY2(fourDigits.match(p).hasMatch(), qPrintable(p));
        QCOMPARE(QSet<QString>(passwords.begin(), passwords.end()).size(), 4);
    }

    void form_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("shownPage");
        QTest::newRow("login page") << int(AuthorizationWindow::LoginPage) << 0;
        QTest::newRow("factory password page")
            << int(AuthorizationWindow::FactoryPasswordPage) << 1;
    }
    void form()
    {
        QFETCH(int, page);
        QFETCH(int, shownPage);
        AuthorizationWindow dialog(nullptr, page);
        QCOMPARE(dialog.windowTitle(), QString("Авторизация"));
        QCOMPARE(dialog.minimumSize(), QSize(220, 130));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        auto* pages = dialog.findChild<QStackedWidget*>("stackedWidget");
        QCOMPARE(pages->currentIndex(), shownPage);
        QCOMPARE(pages->currentWidget()->objectName(), QString(shownPage ? "page_2" : "page"));
        QCOMPARE(dialog.findChild<QGroupBox*>("groupBox")->title(), QString("Авторизация"));
        QCOMPARE(dialog.findChild<QGroupBox*>("groupBox_2")->title(),
                 QString("Чтение заводских параметров"));
        QCOMPARE(dialog.findChild<QLabel*>("label")->text(), QString("Логин:"));
        QCOMPARE(dialog.findChild<QLabel*>("label_2")->text(), QString("Пароль:"));
        QCOMPARE(dialog.findChild<QLabel*>("label_4")->text(), QString("Введите пароль:"));
        QCOMPARE(button(&dialog, "pushButton")->text(), QString("Авторизоваться"));
        QCOMPARE(button(&dialog, "pushButton_OK")->text(), QString("OK"));
        QCOMPARE(button(&dialog, "pushButton_2")->text(), QString("Cancel"));
        QCOMPARE(field(&dialog, "login")->echoMode(), QLineEdit::Normal);
        QCOMPARE(field(&dialog, "password")->echoMode(), QLineEdit::Password);
        QCOMPARE(field(&dialog, "password_2")->echoMode(), QLineEdit::Password);
    }

    void fieldsTakeTenCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("login") << "login";
        QTest::newRow("password") << "password";
        QTest::newRow("second password") << "password_2";
    }
    void fieldsTakeTenCharacters()
    {
        QFETCH(QString, name);
        AuthorizationWindow dialog(nullptr, name == "password_2" ? 1 : 0);
        QLineEdit* edit = field(&dialog, qPrintable(name));
        edit->clear();
        QTest::keyClicks(edit, "123456789012");
        QCOMPARE(edit->text(), QString("1234567890"));
    }

    void loginPairs_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("User") << "User" << userPassword << 0 << true;
        QTest::newRow("Admin") << "Admin" << adminPassword << 0 << true;
        QTest::newRow("production") << "Dolen" << industryPassword << 0 << true;
        QTest::newRow("User with the Admin password") << "User" << adminPassword << 0 << false;
        QTest::newRow("Admin with the production password")
            << "Admin" << industryPassword << 0 << false;
        QTest::newRow("production with the User password") << "Dolen" << userPassword << 0 << false;
        QTest::newRow("factory password is no login")
            << "Admin" << factoryReadPassword << 0 << false;
        QTest::newRow("other letter case") << "user" << userPassword << 0 << false;
        QTest::newRow("trailing blank in the name") << "User " << userPassword << 0 << false;
        QTest::newRow("blank before the password") << "Admin"
                                                   << " " + adminPassword << 0 << false;
        QTest::newRow("empty password") << "Admin"
                                        << "" << 0 << false;
        QTest::newRow("empty pair") << ""
                                    << "" << 0 << false;
        QTest::newRow("level name is no login") << "Industry" << industryPassword << 0 << false;
        QTest::newRow("default name") << "Noname"
                                      << "" << 0 << false;
        QTest::newRow("wrong with a device") << "Admin" << userPassword << 404 << false;
    }
    void loginPairs()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(int, model);
        QFETCH(bool, accepted);
        command.modelCode = quint16(model);
        command.userName = "Admin";
        command.password = adminPassword;
        command.authorized = 1;

        dialogs::Script script;
        AuthorizationWindow dialog(nullptr, AuthorizationWindow::LoginPage);
        QCOMPARE(int(command.authorized), 0);
        dialog.show();
        field(&dialog, "login")->setText(login);
        field(&dialog, "password")->setText(password);
        QTest::mouseClick(button(&dialog, "pushButton"), Qt::LeftButton);

        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(script.shown[0].kind,
                 accepted ? dialogs::Kind::Information : dialogs::Kind::Warning);
        QCOMPARE(script.titles(), QStringList{"Авторизация"});
        QCOMPARE(script.texts(), QStringList{accepted ? "Вы успешно авторизовались"
                                                      : "Вы не успешно авторизовались"});
        QCOMPARE(dialog.isVisible(), !accepted);
        QCOMPARE(int(command.authorized), accepted ? 1 : 0);
        if (accepted) {
            QCOMPARE(command.userName, login);
            QCOMPARE(command.password, password);
        } else if (model == 0) {
            QCOMPARE(command.userName, QString("Noname"));
            QCOMPARE(command.password, QString());
        } else {
            QCOMPARE(command.userName, QString("Admin"));
            QCOMPARE(command.password, adminPassword);
        }
    }

    void secondTryAfterAFailure()
    {
        dialogs::Script script;
        AuthorizationWindow dialog(nullptr, AuthorizationWindow::LoginPage);
        dialog.show();
        field(&dialog, "login")->setText("Admin");
        field(&dialog, "password")->setText("0000");
        button(&dialog, "pushButton")->click();
        QVERIFY(dialog.isVisible());
        field(&dialog, "password")->setText(adminPassword);
        button(&dialog, "pushButton")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(command.userName, QString("Admin"));
        QCOMPARE(int(command.authorized), 1);
    }

    void reopenedLoginPageShowsTheFields_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("shownLogin");
        QTest::addColumn<QString>("shownPassword");
        QTest::newRow("after a failure") << "Admin"
                                         << "1"
                                         << "Noname"
                                         << "";
        QTest::newRow("after a success") << "User" << userPassword << "User" << userPassword;
    }
    void reopenedLoginPageShowsTheFields()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, shownLogin);
        QFETCH(QString, shownPassword);
        dialogs::Script script;
        {
            AuthorizationWindow dialog(nullptr, AuthorizationWindow::LoginPage);
            field(&dialog, "login")->setText(login);
            field(&dialog, "password")->setText(password);
            button(&dialog, "pushButton")->click();
        }
        AuthorizationWindow again(nullptr, AuthorizationWindow::LoginPage);
        QCOMPARE(field(&again, "login")->text(), shownLogin);
        QCOMPARE(field(&again, "password")->text(), shownPassword);
        QCOMPARE(int(command.authorized), 0);
    }

    void factoryPasswordPageKeepsTheLogin()
    {
        command.userName = "User";
        command.password = userPassword;
        command.authorized = 1;
        AuthorizationWindow dialog(nullptr, AuthorizationWindow::FactoryPasswordPage);
        QCOMPARE(int(command.authorized), 1);
        QCOMPARE(command.userName, QString("User"));
    }

    void factoryPassword_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right") << factoryReadPassword << true;
        QTest::newRow("a login password") << userPassword << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("with a blank") << factoryReadPassword + " " << false;
    }
    void factoryPassword()
    {
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        command.secondPasswordAccepted = accepted ? 0 : 1;
        dialogs::Script script;
        AuthorizationWindow dialog(nullptr, AuthorizationWindow::FactoryPasswordPage);
        dialog.show();
        field(&dialog, "password_2")->setText(password);
        QTest::mouseClick(button(&dialog, "pushButton_OK"), Qt::LeftButton);
        QCOMPARE(int(command.secondPasswordAccepted), accepted ? 1 : 0);
        QCOMPARE(dialog.isVisible(), !accepted);
        if (accepted) {
            QVERIFY(script.shown.isEmpty());
        } else {
            QCOMPARE(script.titles(), QStringList{"Нет прав доступа"});
            QCOMPARE(script.texts(), QStringList{"Введите пароль"});
            QCOMPARE(script.shown[0].kind, dialogs::Kind::Warning);
        }
    }

    void cancelClosesWithoutTheSecondPassword()
    {
        AuthorizationWindow dialog(nullptr, AuthorizationWindow::FactoryPasswordPage);
        dialog.show();
        QTest::mouseClick(button(&dialog, "pushButton_2"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(int(command.secondPasswordAccepted), 0);
    }

    void accessLevelOfTheLogin_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("level");
        QTest::newRow("User") << "User" << int(AccessLevel::User);
        QTest::newRow("Admin") << "Admin" << int(AccessLevel::Admin);
        QTest::newRow("production") << "Dolen" << int(AccessLevel::Industry);
        QTest::newRow("default name") << "Noname" << int(AccessLevel::None);
        QTest::newRow("empty") << "" << int(AccessLevel::None);
        QTest::newRow("other case") << "ADMIN" << int(AccessLevel::None);
    }
    void accessLevelOfTheLogin()
    {
        QFETCH(QString, name);
        QFETCH(int, level);
        command.userName = name;
        QCOMPARE(int(currentAccessLevel()), level);
    }
};

QTEST_MAIN(TestAuthorization)
#include "tst_authorization.moc"
