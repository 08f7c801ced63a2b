#include "HelpTopic.h"

namespace moji {

const char16_t* HelpTopicPage(std::span<const HelpTopic> topics, unsigned context) {
  if (topics.empty()) return kHelpFirstPage;
  for (const HelpTopic& topic : topics) {
    if (topic.context == context) return topic.page;
  }
  return topics.front().page;
}

}  // namespace moji
