#pragma once

#include <string>
#include <string_view>

namespace stelvador {

// Every byte but the unreserved ones (letters, digits, "-", ".", "_", "~") and those in keep,
// as %XX with upper-case hex digits; text is taken as UTF-8 bytes.
std::string PercentEncode(std::string_view text, std::string_view keep = {});

// The about window's e-mail link: "mailto:" and the address, the subject "About Ostrevan" and
// a body of the application title, "; " and the date, each part percent-encoded so blanks,
// slashes or dots of the date and any character of the title stand in it safely.
std::string MailLink(std::string_view address, std::string_view applicationTitle,
                     std::string_view dateText);

}  // namespace stelvador
