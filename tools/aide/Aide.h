// A program's help, written once as a text source kept beside its code, and the two things made
// from it at build time: the text the program prints for --help, and its manual page in roff.
//
// The source reads as the help it prints:
//  - a line starting with "#" is a comment and a line starting with "@" a property of the manual
//    page ("@name ombrix", "@summary ...", "@see-also ombrixviewer(1)"); neither is printed;
//  - a line at the left margin after a blank line, of three words at most and ending with ":",
//    is a heading; "Usage:" is followed by the usage lines, indented, a deeper indentation
//    continuing the line above;
//  - other lines at the left margin are paragraphs, ended by a blank line;
//  - an indented line is a list item when its term is followed by two or more blanks and its
//    description (continued on lines aligned with the description), or when the lines below it
//    are indented deeper (its description, which may hold paragraphs and items of its own);
//    any other indented line belongs to a paragraph at that indentation.
// Lines hold printable ASCII only, at most 80 columns, without tabs or trailing blanks, and
// paragraphs hold no double blanks (they would read as a term and its description).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace aide {

struct Bloc {
    enum class Genre { Titre, Synopsis, Paragraphe, Element };
    Genre Type = Genre::Paragraphe;
    std::string Texte;               // heading without its colon, paragraph text, or item term
    std::vector<std::string> Lignes; // usage lines, each with its indentation past the first
    std::vector<Bloc> Enfants;       // an item's description
};

struct Aide {
    std::string Nom, Resume, VoirAussi; // @name, @summary, @see-also
    std::string Texte;                  // what --help prints
    std::vector<Bloc> Blocs;
};

// A source that breaks the rules above, at line `Ligne` (0: the source as a whole).
struct ErreurSource : std::runtime_error {
    ErreurSource(const std::string& quoi, int ligne) : std::runtime_error(quoi), Ligne(ligne) {}
    int Ligne;
};

Aide Lire(const std::string& source);

// The manual page, section 1; `origine` is the footer's source text (project and version).
std::string PageManuel(const Aide& aide, const std::string& origine);

// A C++ header defining `nom` as the --help text.
std::string EnteteCpp(const Aide& aide, const std::string& nom);

} // namespace aide
