#include "maze/screen_layout.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace assets {

const ButtonSpec& ButtonNamed(const char* name) {
    for (const ButtonSpec& button : kButtons)
        if (std::strcmp(button.name, name) == 0) return button;
    throw std::invalid_argument(std::string("no button ") + name);
}

}  // namespace assets
