#include "aide/Aide.h"

#include <cctype>
#include <cstddef>

namespace aide {

namespace {

constexpr std::size_t LargeurMax = 80;

struct Ligne {
    int Retrait = -1; // blank line: -1
    std::string Texte;
    int Numero = 0;
};
using Lignes = std::vector<Ligne>;

[[noreturn]] void Erreur(int numero, const std::string& quoi) {
    throw ErreurSource(quoi, numero);
}

bool Ecart(const std::string& texte) {
    return texte.find("  ") != std::string::npos;
}

std::size_t Suivante(const Lignes& l, std::size_t i, std::size_t fin) {
    while (i < fin && l[i].Retrait < 0) ++i;
    return i;
}

// One past the last line of the block that starts at `i` and is indented deeper than `retrait`:
// it ends at the first line indented `retrait` or less, blank lines before that left out.
std::size_t FinCorps(const Lignes& l, std::size_t i, std::size_t fin, int retrait) {
    std::size_t dernier = i;
    for (std::size_t k = i; k < fin; ++k) {
        if (l[k].Retrait < 0) continue;
        if (l[k].Retrait <= retrait) break;
        dernier = k + 1;
    }
    return dernier;
}

bool PlusProfonde(const Lignes& l, std::size_t i, std::size_t fin, int retrait) {
    return i < fin && l[i].Retrait > retrait;
}

// Lines [debut, fin), every one indented `retrait` or deeper: paragraphs and items at `retrait`.
std::vector<Bloc> LireListe(const Lignes& l, std::size_t debut, std::size_t fin, int retrait) {
    std::vector<Bloc> blocs;
    std::size_t i = Suivante(l, debut, fin);
    while (i < fin) {
        const Ligne& ligne = l[i];
        if (ligne.Retrait != retrait)
            Erreur(ligne.Numero, "indented by " + std::to_string(ligne.Retrait) + " where " +
                                     std::to_string(retrait) + " was expected");
        const std::size_t ecart = ligne.Texte.find("  ");
        if (ecart != std::string::npos) {
            // A term and its description, continued on the lines aligned with the description.
            const std::size_t description = ligne.Texte.find_first_not_of(' ', ecart);
            const int colonne = retrait + static_cast<int>(description);
            Lignes corps{{colonne, ligne.Texte.substr(description), ligne.Numero}};
            const std::size_t finCorps = FinCorps(l, i + 1, fin, retrait);
            corps.insert(corps.end(), l.begin() + static_cast<std::ptrdiff_t>(i + 1),
                         l.begin() + static_cast<std::ptrdiff_t>(finCorps));
            // Aligned, not deeper: a deeper line would turn the description into a term.
            for (const Ligne& suite : corps)
                if (suite.Retrait > colonne)
                    Erreur(suite.Numero, "indented by " + std::to_string(suite.Retrait) + " where " +
                                             std::to_string(colonne) + " was expected");
            Bloc element{Bloc::Genre::Element, ligne.Texte.substr(0, ecart), {}, {}};
            element.Enfants = LireListe(corps, 0, corps.size(), colonne);
            blocs.push_back(std::move(element));
            i = finCorps;
        } else if (PlusProfonde(l, i + 1, fin, retrait)) {
            // A term alone, its description on the deeper lines below.
            const std::size_t finCorps = FinCorps(l, i + 1, fin, retrait);
            Bloc element{Bloc::Genre::Element, ligne.Texte, {}, {}};
            element.Enfants = LireListe(l, i + 1, finCorps, l[i + 1].Retrait);
            blocs.push_back(std::move(element));
            i = finCorps;
        } else {
            Bloc paragraphe{Bloc::Genre::Paragraphe, ligne.Texte, {}, {}};
            ++i;
            while (i < fin && l[i].Retrait == retrait && !Ecart(l[i].Texte) &&
                   !PlusProfonde(l, i + 1, fin, retrait)) {
                paragraphe.Texte += ' ' + l[i].Texte;
                ++i;
            }
            blocs.push_back(std::move(paragraphe));
        }
        i = Suivante(l, i, fin);
    }
    return blocs;
}

// A heading: at the left margin after a blank line (or first), ending with ":", three words at most.
bool EstTitre(const Lignes& l, std::size_t i) {
    const Ligne& ligne = l[i];
    if (ligne.Retrait != 0 || ligne.Texte.back() != ':') return false;
    if (i > 0 && l[i - 1].Retrait >= 0) return false;
    int blancs = 0;
    for (char c : ligne.Texte) blancs += c == ' ';
    return blancs <= 2;
}

std::vector<Bloc> LireBlocs(const Lignes& l) {
    std::vector<Bloc> blocs;
    std::size_t i = Suivante(l, 0, l.size());
    while (i < l.size()) {
        const Ligne& ligne = l[i];
        if (EstTitre(l, i)) {
            const std::string titre = ligne.Texte.substr(0, ligne.Texte.size() - 1);
            if (titre.find('"') != std::string::npos) Erreur(ligne.Numero, "a heading holds a double quote");
            blocs.push_back({Bloc::Genre::Titre, titre, {}, {}});
            ++i;
            if (titre == "Usage") {
                Bloc synopsis{Bloc::Genre::Synopsis, {}, {}, {}};
                const int base = i < l.size() ? l[i].Retrait : -1;
                if (base <= 0) Erreur(ligne.Numero, "\"Usage:\" is not followed by indented usage lines");
                for (; i < l.size() && l[i].Retrait > 0; ++i) {
                    if (l[i].Retrait < base)
                        Erreur(l[i].Numero, "a usage line is indented less than the first");
                    synopsis.Lignes.push_back(
                        std::string(static_cast<std::size_t>(l[i].Retrait - base), ' ') + l[i].Texte);
                }
                blocs.push_back(std::move(synopsis));
            }
        } else if (ligne.Retrait == 0) {
            Bloc paragraphe{Bloc::Genre::Paragraphe, ligne.Texte, {}, {}};
            for (++i; i < l.size() && l[i].Retrait == 0; ++i) paragraphe.Texte += ' ' + l[i].Texte;
            if (Ecart(paragraphe.Texte)) Erreur(ligne.Numero, "a paragraph holds a double blank");
            blocs.push_back(std::move(paragraphe));
        } else {
            const std::size_t fin = FinCorps(l, i, l.size(), 0);
            for (Bloc& b : LireListe(l, i, fin, ligne.Retrait)) blocs.push_back(std::move(b));
            i = fin;
        }
        i = Suivante(l, i, l.size());
    }
    return blocs;
}

void Propriete(Aide& aide, const std::string& ligne, int numero) {
    const std::size_t blanc = ligne.find(' ');
    const std::string cle = ligne.substr(1, blanc == std::string::npos ? std::string::npos : blanc - 1);
    const std::string valeur = blanc == std::string::npos ? std::string() : ligne.substr(blanc + 1);
    std::string* cible = cle == "name"       ? &aide.Nom
                         : cle == "summary"  ? &aide.Resume
                         : cle == "see-also" ? &aide.VoirAussi
                                             : nullptr;
    if (cible == nullptr) Erreur(numero, "unknown property @" + cle);
    if (valeur.empty()) Erreur(numero, "@" + cle + " without a value");
    *cible = valeur;
}

// ---- roff ---------------------------------------------------------------------------------------

// A line of running text: a leading "." or "'" would read as a request.
std::string LigneTexte(const std::string& texte) {
    if (!texte.empty() && (texte[0] == '.' || texte[0] == '\'')) return "\\&" + texte + '\n';
    return texte + '\n';
}

bool Alphanumerique(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// Running text: a backslash printed as such, and a dash that starts a word (an option, a negative
// number) is a minus sign, while a dash inside a word stays a hyphen.
std::string Prose(const std::string& texte) {
    std::string r;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c == '\\')
            r += "\\e";
        else if (c == '-' && (i == 0 || !Alphanumerique(texte[i - 1])))
            r += "\\-";
        else
            r += c;
    }
    return r;
}

// A placeholder is a word in capitals (FILE, PERIOD_US, C1), or two joined by "x" (WxH).
bool Parametre(const std::string& mot) {
    if (!std::isupper(static_cast<unsigned char>(mot[0]))) return false;
    for (std::size_t i = 0; i < mot.size(); ++i) {
        if (!std::islower(static_cast<unsigned char>(mot[i]))) continue;
        const bool joint = mot[i] == 'x' && i > 0 && i + 1 < mot.size() &&
                           std::isupper(static_cast<unsigned char>(mot[i - 1])) &&
                           std::isupper(static_cast<unsigned char>(mot[i + 1]));
        if (!joint) return false;
    }
    return true;
}

// A term or a usage line: what is typed in bold, placeholders in italics, the grouping signs
// ([ ] | , ... and blanks) in roman.
std::string Terme(const std::string& texte) {
    enum class Police { Romain, Gras, Italique };
    std::string r;
    Police courante = Police::Romain;
    const auto ecrire = [&](Police police, const std::string& morceau) {
        if (police != courante) {
            r += police == Police::Gras ? "\\fB" : police == Police::Italique ? "\\fI" : "\\fR";
            courante = police;
        }
        for (char c : morceau)
            r += c == '\\' ? std::string("\\e") : c == '-' ? std::string("\\-") : std::string(1, c);
    };
    const std::string groupement = "[]|{}(), ";
    for (std::size_t i = 0; i < texte.size();) {
        const char c = texte[i];
        if (texte.compare(i, 3, "...") == 0) {
            ecrire(Police::Romain, "...");
            i += 3;
        } else if (groupement.find(c) != std::string::npos) {
            ecrire(Police::Romain, std::string(1, c));
            ++i;
        } else if (Alphanumerique(c) || c == '_') {
            std::size_t j = i;
            while (j < texte.size() && (Alphanumerique(texte[j]) || texte[j] == '_')) ++j;
            const std::string mot = texte.substr(i, j - i);
            ecrire(Parametre(mot) ? Police::Italique : Police::Gras, mot);
            i = j;
        } else {
            ecrire(Police::Gras, std::string(1, c));
            ++i;
        }
    }
    if (courante != Police::Romain) r += "\\fR";
    return r;
}

std::string Majuscules(std::string texte) {
    for (char& c : texte) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return texte;
}

void Element(std::string& r, const Bloc& element) {
    r += ".TP\n" + LigneTexte(Terme(element.Texte));
    bool premier = true, retrait = false;
    for (const Bloc& enfant : element.Enfants) {
        if (enfant.Type == Bloc::Genre::Element) {
            if (!retrait) r += ".RS\n";
            retrait = true;
            Element(r, enfant);
        } else {
            if (retrait) r += ".RE\n";
            retrait = false;
            if (!premier) r += ".IP\n";
            r += LigneTexte(Prose(enfant.Texte));
        }
        premier = false;
    }
    if (retrait) r += ".RE\n";
}

} // namespace

Aide Lire(const std::string& source) {
    Aide aide;
    Lignes lignes;
    std::string texte;
    std::size_t debut = 0;
    for (int numero = 1; debut < source.size(); ++numero) {
        std::size_t fin = source.find('\n', debut);
        if (fin == std::string::npos) fin = source.size();
        const std::string brute = source.substr(debut, fin - debut);
        debut = fin + 1;
        for (char c : brute)
            if (c < 0x20 || c > 0x7e) Erreur(numero, "a character other than printable ASCII");
        if (!brute.empty() && brute.back() == ' ') Erreur(numero, "a trailing blank");
        if (brute.size() > LargeurMax) Erreur(numero, "longer than 80 columns");
        if (!brute.empty() && brute[0] == '#') continue;
        if (!brute.empty() && brute[0] == '@') {
            Propriete(aide, brute, numero);
            continue;
        }
        texte += brute + '\n';
        const std::size_t retrait = brute.find_first_not_of(' ');
        if (retrait == std::string::npos)
            lignes.push_back({-1, {}, numero});
        else
            lignes.push_back({static_cast<int>(retrait), brute.substr(retrait), numero});
    }
    if (aide.Nom.empty() || aide.Resume.empty()) throw ErreurSource("@name and @summary are required", 0);

    const std::size_t premier = texte.find_first_not_of('\n');
    aide.Texte = premier == std::string::npos ? std::string() : texte.substr(premier);
    while (aide.Texte.size() >= 2 && aide.Texte.compare(aide.Texte.size() - 2, 2, "\n\n") == 0)
        aide.Texte.pop_back();

    aide.Blocs = LireBlocs(lignes);
    if (aide.Blocs.empty() || aide.Blocs[0].Type != Bloc::Genre::Titre || aide.Blocs[0].Texte != "Usage")
        throw ErreurSource("the help starts with \"Usage:\"", 0);
    return aide;
}

std::string PageManuel(const Aide& aide, const std::string& origine) {
    std::string r = ".\\\" Made at build time from the help source of " + aide.Nom +
                    ", which also gives its --help: edit the source.\n";
    r += ".TH " + Majuscules(aide.Nom) + " 1 \"\" \"" + origine + "\" \"User Commands\"\n";
    r += ".nh\n"; // no hyphenation: names, options and CSV headers stay whole
    r += ".SH NAME\n" + LigneTexte(Terme(aide.Nom) + " \\- " + Prose(aide.Resume));
    bool apresTitre = false, description = false;
    for (const Bloc& bloc : aide.Blocs) {
        switch (bloc.Type) {
        case Bloc::Genre::Titre:
            r += ".SH " +
                 (bloc.Texte == "Usage" ? std::string("SYNOPSIS") : '"' + Majuscules(bloc.Texte) + '"') +
                 '\n';
            apresTitre = true;
            description = bloc.Texte != "Usage";
            continue;
        case Bloc::Genre::Synopsis:
            r += ".nf\n";
            for (const std::string& ligne : bloc.Lignes) r += LigneTexte(Terme(ligne));
            r += ".fi\n";
            continue;
        case Bloc::Genre::Paragraphe:
        case Bloc::Genre::Element:
            break;
        }
        // What follows the usage lines without a heading of its own is the description.
        if (!description) {
            r += ".SH DESCRIPTION\n";
            description = apresTitre = true;
        }
        if (bloc.Type == Bloc::Genre::Element) {
            Element(r, bloc);
        } else {
            if (!apresTitre) r += ".PP\n";
            r += LigneTexte(Prose(bloc.Texte));
        }
        apresTitre = false;
    }
    if (!aide.VoirAussi.empty()) {
        r += ".SH \"SEE ALSO\"\n";
        // "ombrix(1), other(5)": each page name in bold, its section in roman.
        std::string liste;
        std::size_t debut = 0;
        while (debut < aide.VoirAussi.size()) {
            std::size_t fin = aide.VoirAussi.find(',', debut);
            if (fin == std::string::npos) fin = aide.VoirAussi.size();
            std::string page = aide.VoirAussi.substr(debut, fin - debut);
            page.erase(0, page.find_first_not_of(' '));
            const std::size_t section = page.find('(');
            if (!liste.empty()) liste += ", ";
            liste += "\\fB" + Prose(page.substr(0, section)) + "\\fR" +
                     (section == std::string::npos ? std::string() : page.substr(section));
            debut = fin + 1;
        }
        r += LigneTexte(liste);
    }
    return r;
}

std::string EnteteCpp(const Aide& aide, const std::string& nom) {
    std::string r = "// Made at build time from the help source of " + aide.Nom + ": edit the source.\n" +
                    "#pragma once\n\ninline constexpr char " + nom + "[] =";
    if (aide.Texte.empty()) r += " \"\"";
    std::size_t debut = 0;
    while (debut < aide.Texte.size()) {
        const std::size_t fin = aide.Texte.find('\n', debut);
        r += "\n    \"";
        for (std::size_t i = debut; i < fin; ++i) {
            if (aide.Texte[i] == '\\' || aide.Texte[i] == '"') r += '\\';
            r += aide.Texte[i];
        }
        r += "\\n\"";
        debut = fin + 1;
    }
    return r + ";\n";
}

} // namespace aide
