// Matching messages against routing tables.
#include "framework/MessageRouting.h"

namespace tembori {

bool Route::Matches(const Message& m) const {
  switch (kind) {
    case Kind::Message:
      return m.id == message;
    case Kind::Command: {
      // Menus send code 0 and accelerators code 1; BN_CLICKED, a button's click, is 0 too.
      const UINT commandCode = NotificationCode(m);
      return m.id == WM_COMMAND && CommandId(m) == id && (commandCode == 0 || commandCode == 1);
    }
    case Kind::Notification:
      return m.id == WM_COMMAND && CommandId(m) == id &&
             NotificationCode(m) == static_cast<UINT>(code);
    case Kind::Notify: {
      if (m.id != WM_NOTIFY || m.lParam == 0) return false;
      const auto& header = *reinterpret_cast<const NMHDR*>(m.lParam);
      return header.idFrom == id && header.code == static_cast<UINT>(code);
    }
    case Kind::Registered:
      return true;
  }
  return false;
}

bool RouteTable::Handle(MessageReceiver& receiver, const Message& message, LRESULT& result) const {
  for (const RouteTable* table = this; table != nullptr; table = table->base_) {
    for (std::size_t index = 0; index < table->count_; ++index) {
      const Route& route = table->routes_[index];
      if (route.Matches(message) && route.thunk(receiver, message, result)) return true;
    }
  }
  return false;
}

bool MessageReceiver::HandleByTable(const Message& message, LRESULT& result) {
  return Routes().Handle(*this, message, result);
}

const RouteTable& MessageReceiver::Routes() const {
  static const RouteTable none(nullptr);
  return none;
}

}  // namespace tembori
