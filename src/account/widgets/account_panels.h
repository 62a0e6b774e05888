#pragma once

// The member account on MainWindow: the bookmark group, LoginPanel and
// MemberPanel share one place and exactly one of them is seen. The bookmark
// group's "会员登录" link shows LoginPanel and its "返回书签" link goes back;
// a login or a sign-up shows MemberPanel, and logout returns to the bookmarks.

#include <QObject>

class MainWindow;

class AccountPanels final : public QObject {
  Q_OBJECT

 public:
  // Attaches the account's handlers to `window`'s form; owned by `window`.
  explicit AccountPanels(MainWindow* window);

  // "会员登录" released: LoginPanel replaces the bookmark group.
  void ShowLoginPanel();
  // "返回书签" released: the bookmark group replaces LoginPanel.
  void ShowBookmarks();
  // LoginButton clicked: LogIn runs on a job while this thread keeps handling
  // events in a local loop; then MemberPanel, or the failure message.
  void LogInClicked();
  // LogoutLabel released: the cookies are written back (nothing is sent),
  // MemberPanel gives way to the bookmark group; the texts stay.
  void LogOutReleased();
  // SignUpButton clicked: RegisterWindow as a modal dialog; returns when it
  // has been closed.
  void SignUpClicked();

  // A login or sign-up succeeded: MemberPanel takes the shared place and
  // LoadMemberPanel fills it on a job. Window thread only.
  void ShowMemberPanel();

 private:
  MainWindow* window_;
};
