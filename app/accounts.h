#pragma once

// The built-in accounts. The login names and the access-level helper live with
// the device link (accesslevel.h), which decides the written blocks by them;
// the passwords are known to the login dialogs only.

#include "accesslevel.h"

#include <QString>

extern const QString userPassword;
extern const QString adminPassword;
extern const QString industryPassword;
// Asked of a User before the device's factory settings are restored.
extern const QString factoryReadPassword;

// The level of the current login (Command::userName).
AccessLevel currentAccessLevel();
