#pragma once

// The remembered-login start-up job.

#include <QPointer>

// When UserIniFile exists, writes its remembered user name and password into
// UserNameEdit and PasswordEdit of the MainWindow `window` (a missing key
// gives an empty box); without the file both boxes are left alone. Neither
// logs in nor touches "记住密码". A job. `window` is guarded: taken on the
// window thread when the job starts.
void FillRememberedLogin(const QPointer<QObject>& window);
