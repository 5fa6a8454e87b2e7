#pragma once

#include <string>
#include <vector>

namespace platform {

// Every message box shown, in order, so that tests and scripts can see
// what the user was told.
struct ShownMessageBox {
    std::string caption;
    std::string text;
    unsigned type = 0;  // MB_ flags as given
    int answer = 0;     // the button it answered with
};

const std::vector<ShownMessageBox>& shownMessageBoxes();
void clearShownMessageBoxes();

}  // namespace platform
