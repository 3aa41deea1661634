#include "statusline.h"

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

QString offlineText()
{
    return QObject::tr("Нет связи с прибором (Offline режим): данные не переданы");
}

} // namespace statusline
