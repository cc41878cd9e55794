// The table that maps each control of the settings sheet to its pop-up help topic, in the
// form the help viewer takes with a per-control help request: pairs of 32-bit numbers
// (control identifier, topic), ended by a pair whose control identifier is 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tembori {

struct PopupTopic {
  std::uint32_t control;
  std::uint32_t topic;
};

constexpr std::size_t kPopupTopicCount = 48;

// kPopupTopicCount pairs and the zero pair that ends them.
const PopupTopic* PopupTopicTable();

}  // namespace tembori
