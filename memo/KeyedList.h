// A short list of values in the order of their keys, for the few keys that the pending map
// bits, an imported file or a content line have: what a map does, without a tree's code in
// the program.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace tembori {

template <typename Key, typename Value>
using KeyedList = std::vector<std::pair<Key, Value>>;

// Where `key` is, or would be put.
template <typename Key, typename Value>
auto PlaceOf(KeyedList<Key, Value>& list, const Key& key) {
  return std::lower_bound(
      list.begin(), list.end(), key,
      [](const std::pair<Key, Value>& entry, const Key& wanted) { return entry.first < wanted; });
}

// The value of `key`, added as Value{} in its place when the list has none.
template <typename Key, typename Value>
Value& ValueOf(KeyedList<Key, Value>& list, const Key& key) {
  auto place = PlaceOf(list, key);
  if (place == list.end() || key < place->first) place = list.insert(place, {key, Value{}});
  return place->second;
}

// The value of `key`; null when the list has none.
template <typename Key, typename Value, typename Wanted>
const Value* Find(const KeyedList<Key, Value>& list, const Wanted& key) {
  for (const auto& entry : list) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

template <typename Key, typename Value>
void Erase(KeyedList<Key, Value>& list, const Key& key) {
  const auto place = PlaceOf(list, key);
  if (place != list.end() && !(key < place->first)) list.erase(place);
}

}  // namespace tembori
