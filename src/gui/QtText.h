#pragma once
// Text of the organiser's files on a screen: UTF-8, or Windows-1252 as a spreadsheet program on
// Windows saves it (see common/Text.h).
#include "common/Text.h"

#include <QString>

#include <string>

namespace trakmora {

inline QString qText(const std::string& text) {
    return QString::fromStdString(utf8Text(text));
}

} // namespace trakmora
