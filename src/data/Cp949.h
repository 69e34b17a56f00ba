#pragma once

#include <optional>
#include <string>
#include <string_view>

// CP949, the code page of Korean Windows, in which calculation files carry
// their model line. The conversion is the operating system's own: iconv on
// POSIX systems, the Windows code page 949 on Windows.

// The CP949 bytes of UTF-8 text; nothing when a character has no exact
// CP949 form, the text is not valid UTF-8, or the system has no CP949
// converter.
std::optional<std::string> Utf8ToCp949(std::string_view utf8);

// The UTF-8 text of CP949 bytes. A byte that starts no valid character
// reads as U+FFFD and the next byte is read afresh; never fails. Without a
// CP949 converter only ASCII reads as itself.
std::string Cp949ToUtf8(std::string_view bytes);
