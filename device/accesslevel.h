#pragma once

#include <QString>

// The three built-in logins decide what a session may see and write. Any other
// name (such as "Noname") writes no parameter block.
enum class AccessLevel { None, User, Admin, Industry };

inline const QString userLoginName = QStringLiteral("User");
inline const QString adminLoginName = QStringLiteral("Admin");
inline const QString industryLoginName = QStringLiteral("Dolen");

// Exact, case-sensitive comparison with the built-in names.
inline AccessLevel accessLevel(const QString& userName)
{
    if (userName == userLoginName)
        return AccessLevel::User;
    if (userName == adminLoginName)
        return AccessLevel::Admin;
    if (userName == industryLoginName)
        return AccessLevel::Industry;
    return AccessLevel::None;
}
