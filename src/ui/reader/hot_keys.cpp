#include "ui/reader/hot_keys.h"

#include <QShortcut>

#include <vector>

#include "ui/reader/x11_key_grab.h"

namespace {

struct HotKeyState {
  std::vector<std::function<void()>> callbacks;  // HotKeyCallbacks
  int servedId = 0;                              // the latest registration still alive
  QShortcut* shortcut = nullptr;                 // the key of the served registration
};

HotKeyState& State() {
  static HotKeyState state;
  return state;
}

}  // namespace

int RegisterHotKeyCallback(QWidget* window, std::function<void()> callback) {
  HotKeyState& state = State();
  if (!window) return 0;
  const int id = static_cast<int>(state.callbacks.size()) + 1;
  // The key serves the newest registration only.
  delete state.shortcut;
  state.shortcut = nullptr;
  if (X11KeyGrabAvailable()) {
    if (!GrabShiftZ([id] { RunHotKeyCallback(id); })) return 0;
  } else {
    state.shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Z), window);
    state.shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(state.shortcut, &QShortcut::activated, [id] { RunHotKeyCallback(id); });
  }
  state.callbacks.push_back(std::move(callback));
  state.servedId = id;
  return id;
}

void UnregisterHotKey(int id) {
  HotKeyState& state = State();
  if (id == 0 || id != state.servedId) return;
  // The window system drops the key with its window; a shortcut goes with
  // the window as its child.
  UngrabShiftZ();
  state.shortcut = nullptr;
  state.servedId = 0;
}

int HotKeyCallbackCount() {
  return static_cast<int>(State().callbacks.size());
}

bool RunHotKeyCallback(int id) {
  const HotKeyState& state = State();
  if (id < 1 || id > static_cast<int>(state.callbacks.size())) return false;
  if (state.callbacks[id - 1]) state.callbacks[id - 1]();
  return true;
}
