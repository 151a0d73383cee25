#include "held_keys.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

// xkb.h names a field "explicit", a keyword of C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>

bool PressHeldKeysOnce() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return false;
  // Qt has set up XKB on its connection; the flag holds for this client only.
  xcb_connection_t* connection = x11->connection();
  constexpr auto kDetectable = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
  const auto cookie = xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, kDetectable,
                                               kDetectable, 0, 0, 0);
  void* reply = xcb_xkb_per_client_flags_reply(connection, cookie, nullptr);
  const bool asked = reply != nullptr;
  std::free(reply);
  return asked;
}
