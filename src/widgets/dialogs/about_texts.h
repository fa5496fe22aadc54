#pragma once

#include <string>

namespace stelvador {

// The fixed texts of the about and journal windows. Lines end in CR LF as the program writes
// them; the windows show them with the CR dropped.

// The product name, its version, the two authors, then their institution, postal address,
// country and the first author's e-mail address, each of these four lines indented by 44
// blanks, and a last empty line.
std::string AboutAuthorsText();

// What the program does and the nomenclature scheme it follows.
std::string AboutProgramText();

// The first author's e-mail address, as the about window's text shows it.
std::string AuthorMailAddress();

// The citation of the program's article, its year, volume and pages still to come.
std::string JournalCitationText();

}  // namespace stelvador
