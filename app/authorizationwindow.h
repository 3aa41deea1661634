#pragma once

#include <QDialog>
#include <QString>

namespace Ui
{
class AuthorizationWindow;
}

// The login dialog: page 0 takes a login name and password before the first
// connection, page 1 the second password a User needs to restore the factory
// settings. The caller runs it with dialogs::exec and reads the login fields of
// `command` afterwards.
class AuthorizationWindow : public QDialog
{
    Q_OBJECT

public:
    enum Page { LoginPage = 0, FactoryPasswordPage = 1 };

    AuthorizationWindow(QWidget* parent, int page);
    ~AuthorizationWindow() override;

private slots:
    void on_pushButton_clicked();
    void on_pushButton_OK_clicked();

private:
    Ui::AuthorizationWindow* ui;
    QString login;
    QString enteredPassword;
};
