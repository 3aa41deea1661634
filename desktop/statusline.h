#pragma once

// The main window's status bar, for the pages below the shell: a page that
// sends something at once (the set-up page's "Записать") reports its outcome
// there, as the main window's own commands do. The main window sets the host
// while it lives; without one a message goes nowhere.

#include <QString>

#include <functional>

namespace statusline
{

using Host = std::function<void(const QString&)>;
// An empty host drops the messages.
void setHost(Host host);
void show(const QString& text);

// Offline every exchange "succeeds" without a byte on the line: what a command
// that would talk to the device says then, instead of a success.
QString offlineText();

} // namespace statusline
