// The help sources made into --help texts and manual pages (tools/aide).
#include <gtest/gtest.h>

#include <string>

#include "aide/Aide.h"

namespace {

const std::string Entete = "# a comment\n@name outil\n@summary make things\n";

std::string Page(const std::string& corps) {
    return aide::PageManuel(aide::Lire(Entete + corps), "Projet 1.0");
}

// The page after its fixed head (comment, .TH, .nh, NAME section).
std::string Corps(const std::string& corps) {
    const std::string page = Page(corps);
    const std::string nom = "\\fBoutil\\fR \\- make things\n";
    const std::size_t fin = page.find(nom);
    return fin == std::string::npos ? "no NAME line in:\n" + page : page.substr(fin + nom.size());
}

TEST(Aide, ThePageHasItsTitleNameAndSeeAlso) {
    const std::string page = aide::PageManuel(
        aide::Lire("@name outil\n@summary make things\n@see-also autre(1), man(7)\nUsage:\n  outil\n"),
        "Projet 1.0");
    EXPECT_EQ(page.substr(page.find(".TH")), ".TH OUTIL 1 \"\" \"Projet 1.0\" \"User Commands\"\n"
                                             ".nh\n"
                                             ".SH NAME\n"
                                             "\\fBoutil\\fR \\- make things\n"
                                             ".SH SYNOPSIS\n"
                                             ".nf\n"
                                             "\\fBoutil\\fR\n"
                                             ".fi\n"
                                             ".SH \"SEE ALSO\"\n"
                                             "\\fBautre\\fR(1), \\fBman\\fR(7)\n");
}

TEST(Aide, UsageDescriptionHeadingsAndLists) {
    const std::string source = "Usage:\n"
                               "  outil [--size WxH] FILE...\n"
                               "      [/b:START]\n"
                               "\n"
                               "Does things to FILE,\n"
                               "in order.\n"
                               "\n"
                               "Exit status:\n"
                               "  0  success, or\n"
                               "     nothing to do\n"
                               "  1  an error\n"
                               "\n"
                               "Commands:\n"
                               "  make DIR\n"
                               "      Makes DIR.\n"
                               "      --start F  start, from\n"
                               "                 0 to 1\n"
                               "      -o OUT     the output\n"
                               "      Said again after the options.\n"
                               "Last words.\n";
    EXPECT_EQ(Corps(source), ".SH SYNOPSIS\n"
                             ".nf\n"
                             "\\fBoutil\\fR [\\fB\\-\\-size\\fR \\fIWxH\\fR] \\fIFILE\\fR...\n"
                             "    [\\fB/b:\\fISTART\\fR]\n"
                             ".fi\n"
                             ".SH DESCRIPTION\n"
                             "Does things to FILE, in order.\n"
                             ".SH \"EXIT STATUS\"\n"
                             ".TP\n"
                             "\\fB0\\fR\n"
                             "success, or nothing to do\n"
                             ".TP\n"
                             "\\fB1\\fR\n"
                             "an error\n"
                             ".SH \"COMMANDS\"\n"
                             ".TP\n"
                             "\\fBmake\\fR \\fIDIR\\fR\n"
                             "Makes DIR.\n"
                             ".RS\n"
                             ".TP\n"
                             "\\fB\\-\\-start\\fR \\fIF\\fR\n"
                             "start, from 0 to 1\n"
                             ".TP\n"
                             "\\fB\\-o\\fR \\fIOUT\\fR\n"
                             "the output\n"
                             ".RE\n"
                             ".IP\n"
                             "Said again after the options.\n"
                             ".PP\n"
                             "Last words.\n");
}

TEST(Aide, RunningTextIsEscaped) {
    const struct {
        const char* Paragraphe;
        const char* Roff;
    } cas[] = {
        {".rec files", "\\&.rec files"},                  // not a request
        {"'quoted' start", "\\&'quoted' start"},          // nor this
        {"a \\ backslash", "a \\e backslash"},            // printed as such
        {"see --help or -o", "see \\-\\-help or \\-o"},   // options: minus signs
        {"data-acquisition x-1", "data-acquisition x-1"}, // hyphens inside words stay
        {"from -1 to (-2)", "from \\-1 to (\\-2)"},       // negative numbers
        {"a line ending with colon:", "a line ending with colon:"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Corps(std::string("Usage:\n  outil\n\n") + c.Paragraphe + '\n'),
                  std::string(".SH SYNOPSIS\n.nf\n\\fBoutil\\fR\n.fi\n.SH DESCRIPTION\n") + c.Roff + '\n')
            << c.Paragraphe;
}

TEST(Aide, TheHelpTextIsTheSourceWithoutCommentsAndProperties) {
    const aide::Aide a = aide::Lire("\n# the help of outil\n@name outil\n@summary make things\nUsage:\n"
                                    "  outil \"FILE\"\n# inside\n\nA \\ b.\n\n\n");
    EXPECT_EQ(a.Texte, "Usage:\n  outil \"FILE\"\n\nA \\ b.\n");
    EXPECT_EQ(aide::EnteteCpp(a, "Texte"),
              "// Made at build time from the help source of outil: edit the source.\n"
              "#pragma once\n\n"
              "inline constexpr char Texte[] =\n"
              "    \"Usage:\\n\"\n"
              "    \"  outil \\\"FILE\\\"\\n\"\n"
              "    \"\\n\"\n"
              "    \"A \\\\ b.\\n\";\n");
}

TEST(Aide, SourcesThatBreakTheRulesAreRefusedAtTheirLine) {
    const std::string usage = "Usage:\n  outil\n"; // lines 4 and 5 after the head
    const struct {
        const char* Nom;
        std::string Source;
        int Ligne;
        const char* Message;
    } cas[] = {
        {"tab", Entete + usage + "\tx\n", 6, "printable ASCII"},
        {"non-ASCII", Entete + usage + "caf\xc3\xa9\n", 6, "printable ASCII"},
        {"trailing blank", Entete + usage + "x \n", 6, "trailing blank"},
        {"too long", Entete + usage + std::string(81, 'x') + '\n', 6, "80 columns"},
        {"description too deep", Entete + usage + "\n  -a  one\n       two\n", 8, "indented by 7 where 6"},
        {"description too shallow", Entete + usage + "\n  -a  one\n    two\n", 8, "indented by 4 where 6"},
        {"double blank in a paragraph", Entete + usage + "\nsome  text\n", 7, "double blank"},
        {"quote in a heading", Entete + usage + "\n\"Q\":\n", 7, "double quote"},
        {"unknown property", "@title x\n" + Entete + usage, 1, "unknown property @title"},
        {"property without value", "@name\n" + Entete + usage, 1, "without a value"},
        {"usage without lines", Entete + "Usage:\nText.\n", 4, "not followed by indented usage lines"},
        {"usage line less indented", Entete + "Usage:\n    outil\n  x\n", 6, "indented less"},
        {"no summary", std::string("@name outil\n") + usage, 0, "@summary"},
        {"no usage first", Entete + "Text.\n\n" + usage, 0, "starts with \"Usage:\""},
    };
    for (const auto& c : cas) {
        try {
            aide::Lire(c.Source);
            ADD_FAILURE() << c.Nom << ": accepted";
        } catch (const aide::ErreurSource& e) {
            EXPECT_EQ(e.Ligne, c.Ligne) << c.Nom;
            EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << c.Nom << ": " << e.what();
        }
    }
}

} // namespace
