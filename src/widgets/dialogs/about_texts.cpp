#include "widgets/dialogs/about_texts.h"

namespace stelvador {

namespace {

const std::string kIndent(44, ' ');

}  // namespace

std::string AuthorMailAddress() {
    return "m.quanterra@valleridge.example.org";
}

std::string AboutAuthorsText() {
    return "S t e l v a d o r" + std::string(18, ' ') + "Version 1.0.7 " + "\r\n\r\n" +
           "Mirela Quanterra and Davin Orsk\r\n" + kIndent +
           "Mineral Chemistry Group, Valle Ridge University\r\n" + kIndent +
           "Faculty of Earth Sciences, 12 Quarry Road, Valle Ridge\r\n" + kIndent + "Italy\r\n" +
           kIndent + "E-mail: " + AuthorMailAddress() + "\r\n" + "\r\n";
}

std::string AboutProgramText() {
    return "     Stelvador  estimates electron-microprobe and wet-chemical epidote-supergroup "
           "mineral analyses and classifies them based on the recommended nomenclature scheme "
           "by Armbruster et al. (2006).";
}

std::string JournalCitationText() {
    return " Quanterra, M., Orsk, D., xxxx.  A Windows program for calculation and  "
           "classification" +
           std::string(17, ' ') + "of epidote-supergroup minerals" + std::string(19, ' ') +
           "Journal of Mineral Computing" + " xx, xxx-xxxx.";
}

}  // namespace stelvador
