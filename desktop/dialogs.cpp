#include "dialogs.h"
#include "command.h"

#include "fieldguards.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QRegularExpression>
#include <QSpacerItem>

namespace dialogs
{

namespace
{

Hook& hook()
{
    static Hook current;
    return current;
}

QMessageBox::StandardButton messageBox(Kind kind, QWidget* parent, const QString& title,
                                       const QString& text, QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton)
{
    if (hook()) {
        Request r;
        r.kind = kind;
        r.parent = parent;
        r.title = title;
        r.text = text;
        r.buttons = buttons;
        r.defaultButton = defaultButton;
        return hook()(r).button;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case Kind::Warning:
        icon = QMessageBox::Warning;
        break;
    case Kind::Critical:
        icon = QMessageBox::Critical;
        break;
    case Kind::Question:
        icon = QMessageBox::Question;
        break;
    default:
        break;
    }
    // As QMessageBox's static functions build their box, made wide enough for its title.
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.setStandardButtons(buttons == QMessageBox::NoButton ? QMessageBox::Ok : buttons);
    if (defaultButton != QMessageBox::NoButton && box.button(defaultButton))
        box.setDefaultButton(defaultButton);
    fitTitle(box);
    if (box.exec() == -1)
        return QMessageBox::Cancel;
    return box.standardButton(box.clickedButton());
}

QString fileName(Kind kind, QWidget* parent, const QString& caption, const QString& dir,
                 const QString& filter, QString* selectedFilter)
{
    if (hook()) {
        Request r;
        r.kind = kind;
        r.parent = parent;
        r.title = caption;
        r.text = dir;
        r.filter = filter;
        const Reply reply = hook()(r);
        if (reply.accepted && selectedFilter && !reply.filter.isEmpty())
            *selectedFilter = reply.filter;
        return reply.accepted ? reply.text : QString();
    }
    if (kind == Kind::SaveFile)
        return QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

} // namespace

int titleWidth(const QString& title)
{
    // The caption's font where the style has one, else the box's own, whichever is
    // wider; the allowance covers the window icon, the close button and the frame.
    const QFontMetrics caption(QApplication::font("QMdiSubWindowTitleBar"));
    const QFontMetrics plain(QApplication::font("QMessageBox"));
    const int text = qMax(caption.horizontalAdvance(title), plain.horizontalAdvance(title));
    return text + text / 5 + 130;
}

void fitTitle(QMessageBox& box)
{
    // QMessageBox sizes itself to its text and buttons and leaves the title bar
    // to cut a longer title: a spacer across the grid keeps the box as wide.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(titleWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

void setHook(Hook h)
{
    hook() = std::move(h);
}

QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    return messageBox(Kind::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton critical(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton)
{
    return messageBox(Kind::Critical, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton information(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    return messageBox(Kind::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton)
{
    return messageBox(Kind::Question, parent, title, text, buttons, defaultButton);
}

void exchangeError(QWidget* parent, Kind kind)
{
    messageBox(kind, parent, QObject::tr("Ошибка"), exchangeErrorText(), QMessageBox::Ok,
               QMessageBox::NoButton);
}

QString exchangeErrorText()
{
    return command.writeRefusedForLayout() ? unknownLayoutText()
                                           : QObject::tr("Ошибка обмена данными");
}

void exchangeError(QWidget* parent, Kind kind, quint32 code)
{
    messageBox(kind, parent, QObject::tr("Ошибка"),
               QObject::tr("Ошибка обмена данными") + " " + QString::asprintf("%02X", code),
               QMessageBox::Ok, QMessageBox::NoButton);
}

QString unknownLayoutText()
{
    return QObject::tr("Карта регистров прибора не определена, ничего не записано. "
                       "Считайте параметры прибора и повторите запись.");
}

void unknownLayout(QWidget* parent)
{
    messageBox(Kind::Warning, parent, QObject::tr("Ошибка"), unknownLayoutText(), QMessageBox::Ok,
               QMessageBox::NoButton);
}

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter)
{
    return fileName(Kind::OpenFile, parent, caption, dir, filter, nullptr);
}

bool confirmReplace(QWidget* parent, const QString& title, const QString& text)
{
    return messageBox(Kind::Question, parent, title, text, QMessageBox::Yes | QMessageBox::No,
                      QMessageBox::No) == QMessageBox::Yes;
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                        const QString& filter, QString* selectedFilter)
{
    // The type the operator chose; the dialog offers the list's first one.
    QString chosenType = filter.section(QStringLiteral(";;"), 0, 0);
    QString file = fileName(Kind::SaveFile, parent, caption, dir, filter, &chosenType);
    if (file.isEmpty())
        return file;
    if (selectedFilter)
        *selectedFilter = chosenType;
    // Qt's own dialog keeps a name typed without a suffix as it is: the type chosen
    // in the list gives it the suffix that the open dialogs filter on (and that
    // decides an export's form).
    if (!QFileInfo(file).suffix().isEmpty())
        return file;
    const QRegularExpressionMatch type =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosenType);
    if (!type.hasMatch())
        return file;
    if (!file.endsWith(QLatin1Char('.')))
        file += QLatin1Char('.');
    file += type.captured(1);
    // The dialog asked about replacing the name as typed, not this one.
    if (QFileInfo::exists(file) &&
        !confirmReplace(parent, caption,
                        QObject::tr("Файл %1 уже существует.\nЗаменить его?")
                            .arg(QDir::toNativeSeparators(file))))
        return QString();
    return file;
}

QString getText(QWidget* parent, const QString& title, const QString& label,
                QLineEdit::EchoMode echo, const QString& text, bool* ok, Qt::WindowFlags flags)
{
    if (hook()) {
        Request r;
        r.kind = Kind::Text;
        r.parent = parent;
        r.title = title;
        r.text = label;
        r.value = text;
        r.echo = echo;
        r.flags = flags;
        const Reply reply = hook()(r);
        if (ok)
            *ok = reply.accepted;
        return reply.accepted ? reply.text : QString();
    }
    return QInputDialog::getText(parent, title, label, echo, text, ok, flags);
}

QString getItem(QWidget* parent, const QString& title, const QString& label,
                const QStringList& items, int current, bool editable, bool* ok,
                Qt::WindowFlags flags)
{
    // Built here rather than through QInputDialog::getItem, so that its combo box
    // gets the wheel guard of every other window: the wheel passing over it does
    // not pick another entry unless the operator clicked it first.
    QInputDialog dialog(parent, flags);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setComboBoxItems(items);
    dialog.setTextValue(items.value(current));
    dialog.setComboBoxEditable(editable);
    PageGuard::install(&dialog);
    if (hook()) {
        Request r;
        r.kind = Kind::Item;
        r.parent = parent;
        r.title = title;
        r.text = label;
        r.items = items;
        r.current = current;
        r.editable = editable;
        r.flags = flags;
        r.dialog = &dialog;
        const Reply reply = hook()(r);
        if (ok)
            *ok = reply.accepted;
        return reply.accepted ? reply.text : QString();
    }
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (ok)
        *ok = accepted;
    return accepted ? dialog.textValue() : QString();
}

int exec(QDialog& dialog)
{
    if (hook()) {
        Request r;
        r.kind = Kind::Dialog;
        r.parent = dialog.parentWidget();
        r.title = dialog.windowTitle();
        r.text = QString::fromLatin1(dialog.metaObject()->className());
        r.dialog = &dialog;
        dialog.setResult(QDialog::Rejected);
        hook()(r);
        return dialog.result();
    }
    return dialog.exec();
}

Script::Script()
{
    setHook([this](const Request& request) { return answer(request); });
}

Script::~Script()
{
    setHook(Hook());
}

Script& Script::button(QMessageBox::StandardButton button)
{
    Queued q;
    q.cancel = false;
    q.reply.button = button;
    q.reply.accepted = button == QMessageBox::Ok || button == QMessageBox::Yes;
    replies.append(q);
    return *this;
}

Script& Script::accept(const QString& text, const QString& filter)
{
    Queued q;
    q.cancel = false;
    q.reply.button = QMessageBox::Ok;
    q.reply.accepted = true;
    q.reply.text = text;
    q.reply.filter = filter;
    replies.append(q);
    return *this;
}

Script& Script::cancel()
{
    replies.append(Queued());
    return *this;
}

Script& Script::act(std::function<void(QDialog&)> steps)
{
    actions.append(std::move(steps));
    return *this;
}

QStringList Script::titles() const
{
    QStringList list;
    for (const Request& r : shown)
        list << r.title;
    return list;
}

QStringList Script::texts() const
{
    QStringList list;
    for (const Request& r : shown)
        list << r.text;
    return list;
}

void Script::run(QDialog& dialog)
{
    if (!actions.isEmpty()) {
        // As exec() would: the dialog modal and shown while the operator acts.
        const std::function<void(QDialog&)> steps = actions.takeFirst();
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        steps(dialog);
    }
    if (dialog.isVisible())
        dialog.close();
}

Reply Script::answer(const Request& request)
{
    if (request.kind == Kind::Dialog) {
        ran.append(request.text);
        run(*request.dialog);
        return Reply();
    }
    shown.append(request);
    Queued q;
    if (!replies.isEmpty())
        q = replies.takeFirst();
    if (!q.cancel)
        return q.reply;
    Reply cancelled;
    const QMessageBox::StandardButton order[] = {QMessageBox::Cancel, QMessageBox::No,
                                                 QMessageBox::Ok};
    for (QMessageBox::StandardButton b : order) {
        if (request.buttons.testFlag(b)) {
            cancelled.button = b;
            break;
        }
    }
    return cancelled;
}

} // namespace dialogs
