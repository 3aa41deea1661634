#include "accounts.h"

#include "command.h"

const QString userPassword = QStringLiteral("4826");
const QString adminPassword = QStringLiteral("7391");
const QString industryPassword = QStringLiteral("5064");
const QString factoryReadPassword = QStringLiteral("2817");

AccessLevel currentAccessLevel()
{
    return accessLevel(command.userName);
}
