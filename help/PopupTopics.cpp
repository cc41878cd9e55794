// The pop-up topic table, expanded from PopupTopics.def.
#include "help/PopupTopics.h"

#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr PopupTopic kTable[] = {
#define TEMBORI_POPUP_TOPIC(topic, control) {control, topic},
#include "help/PopupTopics.def"
#undef TEMBORI_POPUP_TOPIC
    {0, 0},
};
static_assert(sizeof kTable / sizeof kTable[0] == kPopupTopicCount + 1,
              "every control of the four pages and the end mark");
// The viewer reads the table as a plain array of 32-bit numbers.
static_assert(sizeof(PopupTopic) == 8, "two 32-bit numbers per control, no padding");

}  // namespace

const PopupTopic* PopupTopicTable() {
  return kTable;
}

}  // namespace tembori
