// The 8-bit text helpers, their limits and their buffer bounds.
#include "shell/OutilsTexte.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class OutilsTexte : public ::testing::Test {
protected:
    void SetUp() override { RESET_LANGUE(); }
    void TearDown() override { RESET_LANGUE(); }
};

// A buffer followed by a guard zone that no routine may touch.
template <std::size_t N> struct tGarde {
    char Texte[N];
    char Garde[16];
    explicit tGarde(const char* depart) {
        std::memset(Texte, 'Z', N);
        std::memset(Garde, 'G', sizeof Garde);
        std::memcpy(Texte, depart, std::min(std::strlen(depart) + 1, N));
    }
    bool GardeIntacte() const {
        for (char c : Garde)
            if (c != 'G') return false;
        return true;
    }
};

struct tCasAjout {
    const char* Nom;
    std::string Destination;
    std::string Source;
    int Position;
    std::string Resultat;
};

TEST_F(OutilsTexte, AjoutTexteAppendsAtMost99Characters) {
    const std::string s99(99, 'a');
    const std::string s100(100, 'b');
    const std::string s150(150, 'c');
    const tCasAjout cas[] = {
        {"simple", "ab", "cd", 0, "abcd"},
        {"from a position", "ab", "cdef", 2, "abef"},
        {"empty source", "ab", "", 0, "ab"},
        {"into an empty text", "", "xyz", 0, "xyz"},
        {"99 characters kept whole", "<", s99, 0, "<" + s99},
        {"100 characters cut to 99", "<", s100, 0, "<" + s100.substr(0, 99)},
        {"150 characters cut to 99", "", s150, 0, s150.substr(0, 99)},
        {"the cut counts from the position", "", s150, 100, s150.substr(0, 50)},
        {"negative position appends nothing", "ab", "cd", -1, "ab"},
    };
    for (const tCasAjout& c : cas) {
        SCOPED_TRACE(c.Nom);
        char tampon[400];
        std::memset(tampon, 'Z', sizeof tampon);
        std::strcpy(tampon, c.Destination.c_str());
        char* p = tampon; // the bare-pointer form, with the room it requires
        AJOUT_TEXTE(p, c.Source.c_str(), c.Position);
        EXPECT_EQ(std::string(tampon), c.Resultat);
        // Nothing written past the terminator's slot.
        EXPECT_EQ(tampon[c.Resultat.size() + 1], 'Z');
    }
}

TEST_F(OutilsTexte, AjoutTexteReadsAnEntryInsideABlock) {
    char tampon[32] = "> ";
    AJOUT_TEXTE(tampon, "FR\0EN\0DE", 3);
    EXPECT_STREQ(tampon, "> EN");
    AJOUT_TEXTE(tampon, nullptr, 0);
    EXPECT_STREQ(tampon, "> EN");
}

TEST_F(OutilsTexte, AppendsIntoArraysStayInsideThem) {
    tGarde<8> t("abc");
    AJOUT_TEXTE(t.Texte, "defghijkl", 0);
    EXPECT_STREQ(t.Texte, "abcdefg");
    EXPECT_TRUE(t.GardeIntacte());

    tGarde<8> nieme("12345");
    AJOUT_NIEME_TEXTE(nieme.Texte, M_ErreurFichier, 1); // "File error"
    EXPECT_STREQ(nieme.Texte, "12345Fi");
    EXPECT_TRUE(nieme.GardeIntacte());

    tGarde<4> car("abc");
    AJOUT_CAR(car.Texte, 'd');
    EXPECT_STREQ(car.Texte, "abc");
    EXPECT_TRUE(car.GardeIntacte());

    tGarde<4> blanc("abc");
    AJOUT_BLANC_DEBUT(blanc.Texte);
    EXPECT_STREQ(blanc.Texte, " ab");
    EXPECT_TRUE(blanc.GardeIntacte());
}

TEST_F(OutilsTexte, SizedFormsMendAnUnterminatedBuffer) {
    tGarde<6> t("");
    std::memcpy(t.Texte, "abcdef", 6); // fills the buffer, no NUL
    AJOUT_TEXTE(t.Texte, "x", 0);
    EXPECT_STREQ(t.Texte, "abcde");
    EXPECT_TRUE(t.GardeIntacte());

    char zero[1] = {'q'};
    AJOUT_CAR(zero, 'c');
    EXPECT_EQ(zero[0], '\0');
    char unOctet[1] = {'\0'};
    AJOUT_BLANC_DEBUT(unOctet);
    EXPECT_EQ(unOctet[0], '\0');
    AJOUT_TEXTE(static_cast<char*>(nullptr), 10, "x", 0); // ignored
}

TEST_F(OutilsTexte, AjoutNiemeTexteAppendsOneEntry) {
    char tampon[64] = "1:";
    AJOUT_NIEME_TEXTE(tampon, M_Erreur, 1);
    EXPECT_STREQ(tampon, "1:Error");
    AJOUT_NIEME_TEXTE(tampon, "FR\0^DE", 1); // missing: the French text
    EXPECT_STREQ(tampon, "1:ErrorFR");
    AJOUT_NIEME_TEXTE(tampon, tBloc(), 0);
    EXPECT_STREQ(tampon, "1:ErrorFR");
    char* p = tampon;
    AJOUT_NIEME_TEXTE(p, M_Erreur, 2);
    EXPECT_STREQ(tampon, "1:ErrorFRFehler");

    // A 120-character entry is cut to 99, like any append.
    const std::string longue(120, 'L');
    const std::string bloc = "x" + std::string(1, '\0') + longue;
    char grand[200] = "";
    AJOUT_NIEME_TEXTE(grand, tBloc(bloc.c_str(), bloc.size() + 1), 1);
    EXPECT_EQ(std::string(grand), std::string(99, 'L'));
}

TEST_F(OutilsTexte, AjoutCarAndAjoutBlancDebut) {
    char t[16] = "ab";
    AJOUT_CAR(t, 'c');
    EXPECT_STREQ(t, "abc");
    char vide[4] = "";
    AJOUT_CAR(vide, '\xB0');
    EXPECT_STREQ(vide, "\xB0");

    char b[16] = "ab";
    AJOUT_BLANC_DEBUT(b);
    EXPECT_STREQ(b, " ab");
    char* p = b;
    AJOUT_BLANC_DEBUT(p);
    EXPECT_STREQ(b, "  ab");
    char e[4] = "";
    AJOUT_BLANC_DEBUT(e);
    EXPECT_STREQ(e, " ");
}

struct tCasElim {
    const char* Nom;
    void (*Routine)(char*);
    std::string Avant;
    std::string Apres;
};

void ElimPoint(char* t) {
    ELIM_CAR(t, '.');
}

TEST_F(OutilsTexte, TrimmingRoutines) {
    const tCasElim cas[] = {
        {"ELIM_CAR trailing run", ElimPoint, "abc..", "abc"},
        {"ELIM_CAR only inner", ElimPoint, "a.b", "a.b"},
        {"ELIM_CAR keeps inner ones", ElimPoint, "a.b..", "a.b"},
        {"ELIM_CAR all c keeps the first", ElimPoint, "....", "."},
        {"ELIM_CAR one c stays", ElimPoint, ".", "."},
        {"ELIM_CAR empty", ElimPoint, "", ""},
        {"ELIM_BLANC trailing", ELIM_BLANC, "ab  ", "ab"},
        {"ELIM_BLANC keeps leading", ELIM_BLANC, "  ab ", "  ab"},
        {"ELIM_BLANC blanks only keeps one", ELIM_BLANC, "    ", " "},
        {"ELIM_BLANC no blank", ELIM_BLANC, "ab", "ab"},
        {"ELIM_BLANC not tabs", ELIM_BLANC, "ab\t", "ab\t"},
        {"ELIM_DEBUT_BLANC leading", ELIM_DEBUT_BLANC, "  ab ", "ab "},
        {"ELIM_DEBUT_BLANC blanks only", ELIM_DEBUT_BLANC, "   ", ""},
        {"ELIM_DEBUT_BLANC none", ELIM_DEBUT_BLANC, "ab", "ab"},
        {"ELIM_DEBUT_BLANC empty", ELIM_DEBUT_BLANC, "", ""},
        {"ELIM_BLANC_TOTAL both ends", ELIM_BLANC_TOTAL, "  a b  ", "a b"},
        {"ELIM_BLANC_TOTAL blanks only", ELIM_BLANC_TOTAL, "   ", ""},
        {"ELIM_BLANC_TOTAL one blank", ELIM_BLANC_TOTAL, " ", ""},
    };
    for (const tCasElim& c : cas) {
        SCOPED_TRACE(c.Nom);
        char tampon[32];
        std::strcpy(tampon, c.Avant.c_str());
        c.Routine(tampon);
        EXPECT_EQ(std::string(tampon), c.Apres);
    }
    // Null texts are ignored.
    ELIM_CAR(nullptr, 'x');
    ELIM_DEBUT_BLANC(nullptr);
    ELIM_BLANC_TOTAL(nullptr);
    AJOUT_CAR(static_cast<char*>(nullptr), 'x');
}

} // namespace
