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

struct Route {
  enum class Kind : unsigned char {
    Message,       // any message with this id
    Command,       // WM_COMMAND from a menu (code 0), an accelerator (code 1) or a button click
    Notification,  // WM_COMMAND with this control id and notification code
    Notify,        // WM_NOTIFY with this control id and notification code
  };
  Kind kind;
  UINT message;  // Kind::Message only
  UINT id;       // command or control identifier
  UINT code;     // notification code
  RouteThunk thunk;

  bool Matches(const Message& message) const;
};

// One class's routes followed by its base class's table (null when there is none).
class RouteTable {
 public:
  template <std::size_t Count>
  RouteTable(const Route (&routes)[Count], const RouteTable* base)
      : routes_(routes), count_(Count), base_(base) {}
  explicit RouteTable(const RouteTable* base) : base_(base) {}

  const Route* Find(const Message& message) const;

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

  // The first matching route's handler, if any; false when nothing matched or it declined.
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

template <auto Handler, UINT Id>
bool Invoke(MessageReceiver& receiver, const Message& message, LRESULT& result) {
  using Traits = HandlerTraits<decltype(Handler)>;
  auto& target = static_cast<typename Traits::Target&>(receiver);
  if constexpr (Traits::Arity == 0) {
    return Finish([&] { return (target.*Handler)(); }, result);
  } else if constexpr (std::is_invocable_v<decltype(Handler), typename Traits::Target&,
                                           const Message&>) {
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

}  // namespace routing_detail

// Table entries.
template <UINT Id, auto Handler>
constexpr Route RouteMessage() {
  return {Route::Kind::Message, Id, 0, 0, &routing_detail::Invoke<Handler, Id>};
}
// A command from a menu item, an accelerator or a child button with this identifier.
template <UINT CommandId, auto Handler>
constexpr Route RouteCommand() {
  return {Route::Kind::Command, WM_COMMAND, CommandId, 0, &routing_detail::Invoke<Handler, 0>};
}
template <UINT Code, UINT ControlId, auto Handler>
constexpr Route RouteNotification() {
  return {Route::Kind::Notification, WM_COMMAND, ControlId, Code,
          &routing_detail::Invoke<Handler, 0>};
}
template <UINT Code, UINT ControlId, auto Handler>
constexpr Route RouteNotify() {
  return {Route::Kind::Notify, WM_NOTIFY, ControlId, Code, &routing_detail::Invoke<Handler, 0>};
}

}  // namespace tembori
