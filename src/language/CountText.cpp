#include "CountText.h"

#include "Language.h"

namespace kyr {

std::string CountText(const TLanguage &language, long long count, int singular, int plural) {
    return std::to_string(count) + language.GetText(count == 1 ? singular : plural);
}

} // namespace kyr
