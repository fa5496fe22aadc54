#include "widgets/dialogs/mail_link.h"

namespace stelvador {

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string PercentEncode(std::string_view text, std::string_view keep) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (IsUnreserved(byte) || keep.find(character) != std::string_view::npos) {
            encoded += character;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string MailLink(std::string_view address, std::string_view applicationTitle,
                     std::string_view dateText) {
    std::string body(applicationTitle);
    body += "; ";
    body += dateText;
    return "mailto:" + PercentEncode(address, "@") + "?subject=" + PercentEncode("About Ostrevan") +
           "&body=" + PercentEncode(body);
}

}  // namespace stelvador
