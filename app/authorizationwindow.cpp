#include "authorizationwindow.h"
#include "ui_authorizationwindow.h"

#include "accounts.h"
#include "command.h"
#include "dialogs.h"
#include "optiontables.h"

AuthorizationWindow::AuthorizationWindow(QWidget* parent, int page)
    : QDialog(parent), ui(new Ui::AuthorizationWindow)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->stackedWidget->setCurrentIndex(page);
    if (page == LoginPage) {
        ui->login->setText(command.userName);
        ui->password->setText(command.password);
        // Opening the login page withdraws the earlier login until a new one
        // is accepted.
        command.authorized = 0;
    }
}

AuthorizationWindow::~AuthorizationWindow()
{
    delete ui;
}

void AuthorizationWindow::on_pushButton_clicked()
{
    login = ui->login->text();
    enteredPassword = ui->password->text();
    const bool accepted = !enteredPassword.isEmpty() &&
                          ((login == industryLoginName && enteredPassword == industryPassword) ||
                           (login == userLoginName && enteredPassword == userPassword) ||
                           (login == adminLoginName && enteredPassword == adminPassword));
    if (accepted) {
        dialogs::information(this, tr("Авторизация"), tr("Вы успешно авторизовались"));
        command.userName = login;
        command.password = enteredPassword;
        command.authorized = 1;
        close();
        return;
    }
    dialogs::warning(this, tr("Авторизация"), tr("Вы не успешно авторизовались"));
    if (command.modelCode == ModelNone) {
        command.userName = QString::fromLatin1(defaultUserName[0]);
        command.password.clear();
    }
}

void AuthorizationWindow::on_pushButton_OK_clicked()
{
    enteredPassword = ui->password_2->text();
    if (enteredPassword == factoryReadPassword) {
        command.secondPasswordAccepted = 1;
        close();
        return;
    }
    dialogs::warning(this, tr("Нет прав доступа"), tr("Введите пароль"));
    command.secondPasswordAccepted = 0;
}
