#include "statusline.h"
#include "command.h"
#include "dialogs.h"

#include <QObject>

namespace statusline
{

namespace
{

Host& host()
{
    static Host current;
    return current;
}

// The outermost open outcome.
Outcome*& open()
{
    static Outcome* current = nullptr;
    return current;
}

} // namespace

void setHost(Host h)
{
    host() = std::move(h);
}

void show(const QString& text)
{
    if (host())
        host()(text);
}

Outcome::Outcome() : outer(open())
{
    if (!outer)
        open() = this;
}

Outcome::~Outcome()
{
    if (outer)
        return;
    open() = nullptr;
    if (decided != Severity::None)
        show(decidedText);
}

void Outcome::report(Severity severity, const QString& text)
{
    if (outer) {
        outer->report(severity, text);
        return;
    }
    // A later report of the same weight replaces the earlier one (the last
    // success says most); a milder one never covers a graver one.
    if (severity == Severity::None || severity < decided)
        return;
    decided = severity;
    decidedText = text;
    show(text);
}

Severity Outcome::severity() const
{
    return outer ? outer->severity() : decided;
}

QString Outcome::text() const
{
    return outer ? outer->text() : decidedText;
}

void report(Severity severity, const QString& text)
{
    if (open())
        open()->report(severity, text);
    else if (severity != Severity::None)
        show(text);
}

void exchangeFailed()
{
    if (command.writeRefusedForLayout())
        refuse(dialogs::unknownLayoutText());
    else
        fail(dialogs::exchangeErrorText());
}

QString offlineText()
{
    return QObject::tr("Нет связи с прибором (Offline режим): данные не переданы");
}

} // namespace statusline
