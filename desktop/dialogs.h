#pragma once

// Every modal question of the program (message boxes, file and input dialogs,
// and its own dialogs: login, connection, about box) goes through these
// functions. They open the dialogs, unless a hook is set: then the hook answers
// instead and no modal loop runs. Tests set the hook through dialogs::Script so
// that no test waits on a modal dialog.

#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QDialog;
class QWidget;

namespace dialogs
{

enum class Kind {
    Warning,
    Critical,
    Information,
    Question,
    OpenFile,
    SaveFile,
    Text,
    Item,
    Dialog
};

// What the program asked. For file dialogs `title` is the caption, `text` the
// proposed folder or file and `filter` the filter; for input dialogs `text` is
// the label and `value` the preset text; for the program's own dialogs `title`
// is the window title, `text` the dialog's class name and `dialog` the dialog
// while it runs. An item dialog also shows its QInputDialog in `dialog`, built
// and guarded as it would run, so that a hook can act in it.
struct Request {
    Kind kind = Kind::Information;
    QWidget* parent = nullptr;
    QString title;
    QString text;
    QString value;
    QString filter;
    QStringList items;
    int current = 0;
    bool editable = false;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    QMessageBox::StandardButtons buttons = QMessageBox::NoButton;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    Qt::WindowFlags flags;
    QDialog* dialog = nullptr;
};

// The answer: the button of a message box; for the other dialogs whether the
// operator confirmed, and the chosen file name, text or item; for a save dialog
// also the file type chosen in its filter list (empty: the one it offered first).
struct Reply {
    Reply() = default;
    Reply(QMessageBox::StandardButton button, bool accepted, const QString& text = QString(),
          const QString& filter = QString())
        : button(button), accepted(accepted), text(text), filter(filter)
    {
    }
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    bool accepted = false;
    QString text;
    QString filter;
};

using Hook = std::function<Reply(const Request&)>;
// An empty hook restores Qt's dialogs.
void setHook(Hook hook);

QMessageBox::StandardButton
warning(QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton
critical(QWidget* parent, const QString& title, const QString& text,
         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton
information(QWidget* parent, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton
question(QWidget* parent, const QString& title, const QString& text,
         QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The width a message box needs to show `title` whole in its title bar, and the
// box made at least that wide (every box of these functions is).
int titleWidth(const QString& title);
void fitTitle(QMessageBox& box);

// The box after a failed exchange with the device: title "Ошибка", text "Ошибка обмена
// данными". The pages warn, with themselves as parent; the firmware upload and the log
// download report it as critical, without parent, the log download with the exchange's
// result code after the text (" 20": two or more upper-case hexadecimal digits).
// When the failure was a write that the device link refused because no probe has told the
// register layout yet (Command::writeRefusedForLayout), the box and exchangeErrorText say
// so instead (unknownLayoutText): the operator must read the device first.
void exchangeError(QWidget* parent, Kind kind = Kind::Warning);
void exchangeError(QWidget* parent, Kind kind, quint32 code);
// "Ошибка обмена данными", or the refusal text after such a refusal: what a status line
// shows after a failed exchange.
QString exchangeErrorText();

// A write refused because no probe of this connection has told the device's register
// layout yet (after a firmware upload, until the next read): the text, and the warning
// box "Ошибка" with it.
QString unknownLayoutText();
void unknownLayout(QWidget* parent);

// The question before a command that replaces something for good (what the device
// holds, an existing file): Yes and No, with No the default, so that Enter does not
// start it. True only for Yes.
bool confirmReplace(QWidget* parent, const QString& title, const QString& text);

// Empty when cancelled. A save dialog tells in `selectedFilter`, when given, the
// entry of `filter` that the operator chose (as QFileDialog does). A name chosen
// without a suffix gets the chosen entry's ("cfg" saved as "(*.txt)" is "cfg.txt"),
// so that the file is found again under the same filter; when a file of that
// completed name exists, the operator is asked first (confirmReplace) and No
// cancels.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter);
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter, QString* selectedFilter = nullptr);

QString getText(QWidget* parent, const QString& title, const QString& label,
                QLineEdit::EchoMode echo = QLineEdit::Normal, const QString& text = QString(),
                bool* ok = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
QString getItem(QWidget* parent, const QString& title, const QString& label,
                const QStringList& items, int current = 0, bool editable = true, bool* ok = nullptr,
                Qt::WindowFlags flags = Qt::WindowFlags());

// Runs one of the program's own dialogs modally (QDialog::exec) and returns its
// result. With a hook, the hook acts in the dialog instead, as the operator
// would, and no modal loop runs.
int exec(QDialog& dialog);

// Scripted answers. While a Script exists it is the hook: every request is
// recorded in `shown` and answered with the next queued reply; with the queue
// empty the request is cancelled (the box's Cancel, No or else Ok button, an
// empty file name, an unconfirmed input dialog). The program's own dialogs are
// recorded in `ran` and take the queued actions, a queue of their own, in turn;
// without any left such a dialog is closed.
class Script
{
public:
    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Queue the answer to the next request, whatever its kind.
    Script& button(QMessageBox::StandardButton button); // a message box's button
    // A file or input dialog confirmed with this text; a save dialog also with
    // this entry of its filter list chosen.
    Script& accept(const QString& text, const QString& filter = QString());
    Script& cancel(); // cancelled, as with an empty queue
    // The operator's actions in the next of the program's own dialogs, which is
    // shown while they run and closed after them unless they closed it.
    Script& act(std::function<void(QDialog&)> actions);

    QVector<Request> shown;
    QStringList ran; // class names of the program's own dialogs, in order
    QStringList titles() const;
    QStringList texts() const;
    int pending() const { return replies.size() + actions.size(); }

private:
    struct Queued {
        bool cancel = true;
        Reply reply;
    };
    Reply answer(const Request& request);
    void run(QDialog& dialog);
    QVector<Queued> replies;
    QVector<std::function<void(QDialog&)>> actions;
};

} // namespace dialogs
