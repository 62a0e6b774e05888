#pragma once

// The member panel's job: who is logged in, and at what level.

#include <QPointer>

// Fetches the site's login block (the shared cookies travel with it) and
// writes the member's name and level into MemberNameLabel and
// MemberLevelLabel of the MainWindow `window`; a failed request empties both.
// A job. `window` is guarded: taken on the window thread when the job starts.
void LoadMemberPanel(const QPointer<QObject>& window);
