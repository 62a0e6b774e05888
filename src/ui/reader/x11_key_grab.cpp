#include "ui/reader/x11_key_grab.h"

#ifdef TAVELIN_HAVE_XCB

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

#include <cstdlib>
#include <vector>

namespace {

constexpr xcb_keysym_t kKeysymUpperZ = 0x5A;
constexpr xcb_keysym_t kKeysymLowerZ = 0x7A;
// Shift with every combination of CapsLock (Lock) and NumLock (Mod2).
constexpr uint16_t kModifierVariants[] = {
    XCB_MOD_MASK_SHIFT, XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK, XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_2,
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* Connection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const xcb_screen_iterator_t screen = xcb_setup_roots_iterator(setup);
  return screen.rem > 0 ? screen.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

// The key codes that give Z on this keyboard.
std::vector<xcb_keycode_t> KeyCodesOfZ(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const int count = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
  std::vector<xcb_keycode_t> codes;
  if (!mapping) return codes;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
  const int perCode = mapping->keysyms_per_keycode;
  for (int i = 0; i < count; ++i) {
    for (int j = 0; j < perCode; ++j) {
      const xcb_keysym_t sym = syms[i * perCode + j];
      if (sym == kKeysymUpperZ || sym == kKeysymLowerZ) {
        codes.push_back(static_cast<xcb_keycode_t>(setup->min_keycode + i));
        break;
      }
    }
  }
  std::free(mapping);
  return codes;
}

class ShiftZFilter final : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != root || !(press->state & XCB_MOD_MASK_SHIFT)) return false;
    for (xcb_keycode_t code : codes) {
      if (press->detail == code) {
        if (pressed) pressed();
        return true;
      }
    }
    return false;
  }

  xcb_window_t root = XCB_WINDOW_NONE;
  std::vector<xcb_keycode_t> codes;
  std::function<void()> pressed;
};

ShiftZFilter* filter = nullptr;

void Ungrab(xcb_connection_t* connection, xcb_window_t root,
            const std::vector<xcb_keycode_t>& codes) {
  for (xcb_keycode_t code : codes) {
    for (uint16_t modifiers : kModifierVariants) xcb_ungrab_key(connection, code, root, modifiers);
  }
  xcb_flush(connection);
}

}  // namespace

bool X11KeyGrabAvailable() {
  return Connection() != nullptr;
}

bool GrabShiftZ(std::function<void()> pressed) {
  xcb_connection_t* connection = Connection();
  if (!connection) return false;
  UngrabShiftZ();
  const xcb_window_t root = RootWindow(connection);
  const std::vector<xcb_keycode_t> codes = KeyCodesOfZ(connection);
  if (root == xcb_window_t{XCB_WINDOW_NONE} || codes.empty()) return false;
  bool refused = false;
  for (xcb_keycode_t code : codes) {
    for (uint16_t modifiers : kModifierVariants) {
      const xcb_void_cookie_t cookie = xcb_grab_key_checked(
          connection, 1, root, modifiers, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
      if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
        refused = true;  // BadAccess: another program holds the key
        std::free(error);
      }
    }
  }
  if (refused) {
    Ungrab(connection, root, codes);
    return false;
  }
  filter = new ShiftZFilter;
  filter->root = root;
  filter->codes = codes;
  filter->pressed = std::move(pressed);
  qApp->installNativeEventFilter(filter);
  return true;
}

void UngrabShiftZ() {
  if (!filter) return;
  qApp->removeNativeEventFilter(filter);
  if (xcb_connection_t* connection = Connection()) Ungrab(connection, filter->root, filter->codes);
  delete filter;
  filter = nullptr;
}

#else

bool X11KeyGrabAvailable() {
  return false;
}
bool GrabShiftZ(std::function<void()>) {
  return false;
}
void UngrabShiftZ() {}

#endif
