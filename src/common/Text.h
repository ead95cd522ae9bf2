#pragma once
// Text from the organiser's files on its way to a workbook, a web page or the screen.
//
// The files are read and written byte for byte, whatever their encoding. A spreadsheet program on
// Windows saves comma-separated text in the Windows-1252 code page ("Renée" with a single byte
// 0xE9), while workbooks, web pages and the screens need UTF-8: a workbook holding such a byte is
// refused as damaged by the spreadsheet program that opens it.
#include <string>
#include <string_view>

namespace trakmora {

// The text itself when it is valid UTF-8 (plain ASCII included); otherwise the whole text read as
// Windows-1252 (Latin-1 with printable characters in 0x80-0x9F) and written as UTF-8.
std::string utf8Text(std::string_view text);

} // namespace trakmora
