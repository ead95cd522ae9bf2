#include "xlsx/PageSetup.h"

namespace trakmora {

std::string headerText(std::string_view plain) {
    std::string out;
    out.reserve(plain.size());
    for (char c : plain) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

} // namespace trakmora
