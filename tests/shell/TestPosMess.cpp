// Entry lookup in message blocks and the choice of the language, on blocks built here.
#include "shell/Messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PosMess : public ::testing::Test {
protected:
    void SetUp() override { RESET_LANGUE(); }
    void TearDown() override { RESET_LANGUE(); }
};

struct tCasEntree {
    const char* Nom;
    tBloc Bloc;
    int N;
    int Position;
    std::string Texte;
};

// String literals end with their own NUL, which stands for the padding.
const tCasEntree CasEntree[] = {
    {"three texts, first", "FR\0EN\0DE", 0, 0, "FR"},
    {"three texts, second", "FR\0EN\0DE", 1, 3, "EN"},
    {"three texts, third", "FR\0EN\0DE", 2, 6, "DE"},
    {"fourth falls back to the third", "FR\0EN\0DE", 3, 6, "DE"},
    {"far past the end falls back to the third", "FR\0EN\0DE", 200, 6, "DE"},
    {"placeholder for English", "FR\0^DE", 1, 0, "FR"},
    {"text after a placeholder", "FR\0^DE", 2, 4, "DE"},
    {"empty English", "FR\0\0DE", 1, 0, "FR"},
    {"text after an empty entry", "FR\0\0DE", 2, 4, "DE"},
    {"two placeholders, French missing: offset 0", "^^DE", 1, 0, "^^DE"},
    {"after two placeholders", "^^DE", 2, 2, "DE"},
    {"empty French: offset 0, empty text", "\0EN\0DE", 0, 0, ""},
    {"after an empty French", "\0EN\0DE", 1, 1, "EN"},
    {"German missing falls back to English", "FR\0EN\0^", 2, 3, "EN"},
    {"negative index reads the first entry", "FR\0EN\0DE", -1, 0, "FR"},
    {"a text may start with blanks", " a \0 b ", 1, 4, " b "},
};

TEST_F(PosMess, EntryLookupWalksOverMissingEntries) {
    for (const tCasEntree& cas : CasEntree) {
        SCOPED_TRACE(cas.Nom);
        int position = -1;
        int longueur = -1;
        const char* texte = POS_MESS_NT(cas.Bloc, cas.N, position, longueur);
        ASSERT_NE(texte, nullptr);
        EXPECT_EQ(position, cas.Position);
        EXPECT_EQ(texte, cas.Bloc.Octets + cas.Position);
        EXPECT_EQ(longueur, static_cast<int>(cas.Texte.size()));
        EXPECT_EQ(std::string(texte), cas.Texte);
    }
}

TEST_F(PosMess, NullBlockGivesNothing) {
    for (const tBloc bloc : {tBloc(), tBloc(nullptr), tBloc(nullptr, 12), tBloc("FR", 0)}) {
        int position = -1;
        int longueur = -1;
        EXPECT_EQ(POS_MESS_NT(bloc, 1, position, longueur), nullptr);
        EXPECT_EQ(position, 0);
        EXPECT_EQ(longueur, 0);
        EXPECT_STREQ(POS_MESS(bloc), "");
    }
}

TEST_F(PosMess, LookupStopsAtTheEndOfASizedBlock) {
    // No NUL after "EN": the unterminated entry counts as missing, nothing past byte 4 is read.
    const char octets[] = {'F', 'R', '\0', 'E', 'N'};
    int position = -1;
    int longueur = -1;
    const char* texte = POS_MESS_NT(tBloc(octets, sizeof octets), 1, position, longueur);
    EXPECT_EQ(texte, octets);
    EXPECT_EQ(longueur, 2);
    Langue = 2;
    EXPECT_STREQ(POS_MESS(tBloc(octets, sizeof octets)), "FR");

    // Nothing terminated at all: the length stays inside the block, POS_MESS gives "".
    const char seul[] = {'A', 'B'};
    POS_MESS_NT(tBloc(seul, sizeof seul), 0, position, longueur);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(longueur, 2);
    EXPECT_STREQ(POS_MESS(tBloc(seul, sizeof seul)), "");
}

struct tCasLangue {
    const char* Nom;
    tBloc Bloc;
    uint8_t Langue;
    std::string Texte;
};

const tCasLangue CasLangue[] = {
    {"French", "FR\0EN\0DE", 0, "FR"},
    {"English", "FR\0EN\0DE", 1, "EN"},
    {"German", "FR\0EN\0DE", 2, "DE"},
    {"Italian shows German", "FR\0EN\0DE", 3, "DE"},
    {"missing English shows French", "FR\0^DE", 1, "FR"},
    {"empty English shows French", "FR\0\0DE", 1, "FR"},
    {"missing German and Italian show English", "FR\0EN\0^", 3, "EN"},
    {"untranslated German takes English", "FR\0EN\0?", 2, "EN"},
    {"untranslated Italian-as-German takes English", "FR\0EN\0?DE", 3, "EN"},
    {"untranslated English too takes French", "FR\0?\0?", 2, "FR"},
    {"untranslated English in English takes French", "FR\0?EN\0DE", 1, "FR"},
    {"untranslated French takes English", "?FR\0EN\0DE", 0, "EN"},
    {"untranslated everywhere keeps the French", "?FR\0?EN\0?DE", 2, "?FR"},
};

TEST_F(PosMess, LanguageChoiceWithFallbacks) {
    for (const tCasLangue& cas : CasLangue) {
        SCOPED_TRACE(cas.Nom);
        Langue = cas.Langue;
        EXPECT_EQ(std::string(POS_MESS(cas.Bloc)), cas.Texte);
    }
}

TEST_F(PosMess, LanguageStartsFrench) {
    Langue = 2;
    RESET_LANGUE();
    EXPECT_EQ(Langue, 0);
    EXPECT_STREQ(POS_MESS(M_Erreur), "Erreur");
}

} // namespace
