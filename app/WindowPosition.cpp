// Reading and writing the remembered window position.
#include "app/WindowPosition.h"

#include <array>
#include <cstdint>
#include <memory>

#include "settings/StoreValues.h"

namespace tembori {
namespace {

struct Edge {
  const char* name;
  int Rect::*member;
};
constexpr std::array<Edge, 4> kEdges = {{
    {"Left", &Rect::left},
    {"Top", &Rect::top},
    {"Right", &Rect::right},
    {"Bottom", &Rect::bottom},
}};

std::uint32_t Stored(int coordinate) {
  return static_cast<std::uint32_t>(coordinate);
}

}  // namespace

std::optional<Rect> RestoreWindowPosition(KeyValueStore& store, const Rect& virtualScreen,
                                          const std::vector<MonitorArea>& monitors, int windowWidth,
                                          int windowHeight) {
  std::unique_ptr<StoreKey> key;
  if (store.CreateKey(kPositionKey, key, nullptr) != StoreResult::Ok) return std::nullopt;
  Rect saved;
  for (const Edge& edge : kEdges) {
    std::uint32_t value = 0;
    if (ReadNumber(*key, edge.name, value) != StoreResult::Ok) value = 0;
    saved.*edge.member = static_cast<std::int32_t>(value);
  }
  const Rect placed = KeepOnSomeMonitor(ClampRestoredPosition(saved, virtualScreen), windowWidth,
                                        windowHeight, monitors);
  const Rect next = NextInstancePosition(placed);
  for (const Edge& edge : kEdges) key->WriteDword(edge.name, Stored(next.*edge.member));
  return placed;
}

bool SaveWindowPosition(KeyValueStore& store, const Rect& window) {
  std::unique_ptr<StoreKey> key;
  if (store.CreateKey(kPositionKey, key, nullptr) != StoreResult::Ok) return false;
  for (const Edge& edge : kEdges) {
    if (key->WriteDword(edge.name, Stored(window.*edge.member)) != StoreResult::Ok) return false;
  }
  return true;
}

}  // namespace tembori
