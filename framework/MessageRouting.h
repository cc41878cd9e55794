// Message routing tables: each class that receives messages (windows, dialogs, controls and
// the application) lists, in one static table, which message, command or notification goes
// to which of its member functions. Tables are searched in order and the first match wins;
// a class's table is followed by its base class's.
//
// A handler is a member function of the class that owns the table. It may take no arguments,
// the raw Message, or the arguments that MessageArguments<message> cracks for that message.
// Its result is the message's result: void means 0; std::optional<LRESULT> without a value
// declines the message, which then gets default processing as if no entry had matched.
//
//   const RouteTable& MyWindow::Routes() const {
//     static const Route routes[] = {
//         RouteMessage<WM_PAINT, &MyWindow::OnPaint>(),
//         RouteCommand<ID_NEXT_MONTH, &MyWindow::OnNextMonth>(),
//         RouteRegistered<&MyWindow::TaskbarCreatedMessage, &MyWindow::OnTaskbarCreated>(),
//     };
//     static const RouteTable table(routes, &Window::Routes());
//     return table;
//   }
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <tuple>
#include <type_traits>

namespace tembori {

struct Message {
  UINT id = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// For WM_COMMAND: the command or control identifier and the notification code.
inline UINT CommandId(const Message& message) {
  return LOWORD(message.wParam);
}
inline UINT NotificationCode(const Message& message) {
  return HIWORD(message.wParam);
}

class MessageReceiver;
class RouteTable;

// Calls the handler of one route; false when the handler declined the message.
using RouteThunk = bool (*)(MessageReceiver& receiver, const Message& message, LRESULT& result);
// The id of a message registered at run time (RegisterWindowMessageA); 0 while there is none,
// which matches no message.
using RegisteredId = UINT (*)();

// Kept small (two words on 64-bit): every class's table is a static array of these. Message
// and control identifiers are 16-bit values, notification codes of WM_NOTIFY small negative
// numbers; the builders below check that each one fits.
struct Route {
  enum class Kind : unsigned char {
    Message,       // any message with this id
    Command,       // WM_COMMAND from a menu (code 0), an accelerator (code 1) or a button click
    Notification,  // WM_COMMAND with this control id and notification code
    Notify,        // WM_NOTIFY with this control id and notification code
    Registered,    // a message whose id is known only at run time: the thunk compares it
  };
  RouteThunk thunk;
  Kind kind;
  WORD message;  // Kind::Message only
  WORD id;       // command or control identifier
  short code;    // notification code

  bool Matches(const Message& message) const;
};

// One class's routes followed by its base class's table (null when there is none).
class RouteTable {
 public:
  template <std::size_t Count>
  RouteTable(const Route (&routes)[Count], const RouteTable* base)
      : routes_(routes), count_(Count), base_(base) {}
  explicit RouteTable(const RouteTable* base) : base_(base) {}

  // Offers the message to every matching route in order, this table's first, until one
  // takes it; false when none did.
  bool Handle(MessageReceiver& receiver, const Message& message, LRESULT& result) const;

 private:
  const Route* routes_ = nullptr;
  std::size_t count_ = 0;
  const RouteTable* base_ = nullptr;
};

// Anything with a routing table. Each class that adds routes overrides Routes() to return its
// own table, built once as a function-local static and chained to the base class's.
class MessageReceiver {
 public:
  virtual ~MessageReceiver() = default;

  // The first matching route whose handler takes the message; false when every matching
  // handler declined or nothing matched.
  bool HandleByTable(const Message& message, LRESULT& result);

 protected:
  MessageReceiver() = default;
  MessageReceiver(const MessageReceiver&) = delete;
  MessageReceiver& operator=(const MessageReceiver&) = delete;

  virtual const RouteTable& Routes() const;
};

// The typed arguments of a message, for handlers that take more than the raw Message.
// Specialised for the messages whose handlers take cracked parameters; a handler that wants
// them for another message adds its specialisation here.
template <UINT Id>
struct MessageArguments;

template <>
struct MessageArguments<WM_ERASEBKGND> {
  static std::tuple<HDC> Crack(const Message& m) { return {reinterpret_cast<HDC>(m.wParam)}; }
};
template <>
struct MessageArguments<WM_PRINTCLIENT> {
  static std::tuple<HDC> Crack(const Message& m) { return {reinterpret_cast<HDC>(m.wParam)}; }
};
template <>
struct MessageArguments<WM_CHAR> {
  static std::tuple<UINT> Crack(const Message& m) { return {static_cast<UINT>(m.wParam)}; }
};

// A point packed into lParam: signed, since a captured mouse reports points left of and
// above the window, and the keyboard's context menu asks with (-1, -1).
inline POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Mouse buttons and moves: the point in client coordinates and the MK_* key state.
struct MouseArguments {
  static std::tuple<POINT, UINT> Crack(const Message& m) {
    return {PointOf(m.lParam), static_cast<UINT>(m.wParam)};
  }
};
template <>
struct MessageArguments<WM_MOUSEMOVE> : MouseArguments {};
template <>
struct MessageArguments<WM_LBUTTONDOWN> : MouseArguments {};
template <>
struct MessageArguments<WM_LBUTTONUP> : MouseArguments {};
template <>
struct MessageArguments<WM_LBUTTONDBLCLK> : MouseArguments {};
template <>
struct MessageArguments<WM_RBUTTONUP> : MouseArguments {};
template <>
struct MessageArguments<WM_MBUTTONUP> : MouseArguments {};

// The signed wheel delta (a multiple of WHEEL_DELTA per notch, positive away from the user),
// the MK_* key state and the pointer in screen coordinates.
template <>
struct MessageArguments<WM_MOUSEWHEEL> {
  static std::tuple<short, UINT, POINT> Crack(const Message& m) {
    return {static_cast<short>(HIWORD(m.wParam)), static_cast<UINT>(LOWORD(m.wParam)),
            PointOf(m.lParam)};
  }
};
// The window clicked (possibly a child) and the point in screen coordinates, (-1, -1) when
// the menu was asked for from the keyboard.
template <>
struct MessageArguments<WM_CONTEXTMENU> {
  static std::tuple<HWND, POINT> Crack(const Message& m) {
    return {reinterpret_cast<HWND>(m.wParam), PointOf(m.lParam)};
  }
};
template <>
struct MessageArguments<WM_TIMER> {
  static std::tuple<UINT_PTR> Crack(const Message& m) { return {static_cast<UINT_PTR>(m.wParam)}; }
};
// The window that takes the mouse capture, or null.
template <>
struct MessageArguments<WM_CAPTURECHANGED> {
  static std::tuple<HWND> Crack(const Message& m) { return {reinterpret_cast<HWND>(m.lParam)}; }
};

namespace routing_detail {

template <typename Member>
struct HandlerTraits;
template <typename Class, typename Result, typename... Parameters>
struct HandlerTraits<Result (Class::*)(Parameters...)> {
  using Target = Class;
  static constexpr std::size_t Arity = sizeof...(Parameters);
};

template <typename Result>
struct IsOptional : std::false_type {};
template <typename Value>
struct IsOptional<std::optional<Value>> : std::true_type {};

// Turns whatever the handler returned into the message's result.
template <typename Call>
bool Finish(Call&& call, LRESULT& result) {
  using Result = decltype(call());
  if constexpr (std::is_void_v<Result>) {
    call();
    result = 0;
    return true;
  } else if constexpr (IsOptional<Result>::value) {
    const Result answer = call();
    if (!answer) return false;
    result = static_cast<LRESULT>(*answer);
    return true;
  } else {
    result = static_cast<LRESULT>(call());
    return true;
  }
}

// Handlers of messages without MessageArguments take the raw Message (or nothing); this
// selects the cracked arguments only where they exist.
template <UINT Id, typename = void>
struct HasArguments : std::false_type {};
template <UINT Id>
struct HasArguments<Id, std::void_t<decltype(MessageArguments<Id>::Crack(Message{}))>>
    : std::true_type {};

// Whether the handler takes the raw Message or nothing: its thunk does not depend on the
// message's id then, and one thunk serves every message routed to it.
template <auto Handler>
constexpr bool TakesRawMessage() {
  using Traits = HandlerTraits<decltype(Handler)>;
  return Traits::Arity == 0 ||
         std::is_invocable_v<decltype(Handler), typename Traits::Target&, const Message&>;
}

template <auto Handler, UINT Id>
bool Invoke(MessageReceiver& receiver, const Message& message, LRESULT& result) {
  using Traits = HandlerTraits<decltype(Handler)>;
  auto& target = static_cast<typename Traits::Target&>(receiver);
  if constexpr (Traits::Arity == 0) {
    return Finish([&] { return (target.*Handler)(); }, result);
  } else if constexpr (TakesRawMessage<Handler>()) {
    return Finish([&] { return (target.*Handler)(message); }, result);
  } else {
    static_assert(HasArguments<Id>::value, "this message has no cracked arguments");
    return Finish(
        [&] {
          return std::apply([&](auto... arguments) { return (target.*Handler)(arguments...); },
                            MessageArguments<Id>::Crack(message));
        },
        result);
  }
}

// A registered message's handler, called only for the id registered at that time.
template <RegisteredId Id, auto Handler>
bool InvokeRegistered(MessageReceiver& receiver, const Message& message, LRESULT& result) {
  const UINT registeredId = Id();
  return registeredId != 0 && message.id == registeredId &&
         Invoke<Handler, 0>(receiver, message, result);
}

template <UINT Value>
constexpr WORD Word() {
  static_assert(Value <= 0xFFFF, "message and control identifiers are 16-bit");
  return static_cast<WORD>(Value);
}
template <UINT Value>
constexpr short Code() {
  static_assert(static_cast<UINT>(static_cast<int>(static_cast<short>(Value))) == Value,
                "notification codes are 16-bit signed numbers");
  return static_cast<short>(Value);
}

}  // namespace routing_detail

// Table entries.
template <UINT Id, auto Handler>
constexpr Route RouteMessage() {
  constexpr UINT cracked = routing_detail::TakesRawMessage<Handler>() ? 0 : Id;
  return {&routing_detail::Invoke<Handler, cracked>, Route::Kind::Message,
          routing_detail::Word<Id>(), 0, 0};
}
// A message registered at run time; the handler takes nothing or the raw Message.
template <RegisteredId Id, auto Handler>
constexpr Route RouteRegistered() {
  return {&routing_detail::InvokeRegistered<Id, Handler>, Route::Kind::Registered, 0, 0, 0};
}
// A command from a menu item, an accelerator or a child button with this identifier.
template <UINT CommandId, auto Handler>
constexpr Route RouteCommand() {
  return {&routing_detail::Invoke<Handler, 0>, Route::Kind::Command, WM_COMMAND,
          routing_detail::Word<CommandId>(), 0};
}
template <UINT Code, UINT ControlId, auto Handler>
constexpr Route RouteNotification() {
  static_assert(Code <= 0x7FFF, "WM_COMMAND notification codes are small");
  return {&routing_detail::Invoke<Handler, 0>, Route::Kind::Notification, WM_COMMAND,
          routing_detail::Word<ControlId>(), routing_detail::Code<Code>()};
}
template <UINT Code, UINT ControlId, auto Handler>
constexpr Route RouteNotify() {
  return {&routing_detail::Invoke<Handler, 0>, Route::Kind::Notify, WM_NOTIFY,
          routing_detail::Word<ControlId>(), routing_detail::Code<Code>()};
}

}  // namespace tembori
