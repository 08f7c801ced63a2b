#include "HelpTopic.h"

namespace moji {

const char16_t* HelpTopicPage(unsigned context) {
  for (const HelpTopic& topic : kHelpTopics) {
    if (topic.context == context) return topic.page;
  }
  return kHelpTopics[0].page;
}

}  // namespace moji
