// The viewer's double-dash options, read before anything else, next to the command line's own.
#include <gtest/gtest.h>

#include <vector>

#include "shell/OptionLongue.h"

namespace {

TEST(OptionLongue, TheFirstDoubleDashArgumentDecidesAndFilesAreNoOptions) {
    const struct {
        std::vector<const char*> Arguments;
        tOptionLongue Option;
        const char* Argument;
    } cas[] = {
        {{}, tOptionLongue::Aucune, ""},
        {{"essai.rec", "/x", "/b:0.5"}, tOptionLongue::Aucune, ""},
        {{"--help"}, tOptionLongue::Aide, "--help"},
        {{"--version"}, tOptionLongue::Version, "--version"},
        {{"essai.rec", "/c", "--help"}, tOptionLongue::Aide, "--help"},
        {{"--frobnicate"}, tOptionLongue::Inconnue, "--frobnicate"},
        {{"--frobnicate", "--help"}, tOptionLongue::Inconnue, "--frobnicate"},
        {{"--version", "--frobnicate"}, tOptionLongue::Version, "--version"},
        {{"--HELP"}, tOptionLongue::Inconnue, "--HELP"}, // exact, unlike the "/" options
        {{"--"}, tOptionLongue::Inconnue, "--"},
        {{"-h", "/x"}, tOptionLongue::Aucune, ""},                    // one dash: the command line's error
        {{"--essai.REC", "--help"}, tOptionLongue::Aide, "--help"},   // a recording, whatever its name
        {{"--reglage.cnf", "--help"}, tOptionLongue::Aide, "--help"}, // the first-argument configuration
        {{"essai.rec", "--reglage.cnf"}, tOptionLongue::Inconnue, "--reglage.cnf"}, // only when first
    };
    for (const auto& c : cas) {
        QStringList arguments;
        for (const char* a : c.Arguments) arguments.append(QString::fromUtf8(a));
        const tLectureOptionLongue r = LIRE_OPTION_LONGUE(arguments);
        EXPECT_EQ(r.Option, c.Option) << arguments.join(u' ').toStdString();
        if (c.Option != tOptionLongue::Aucune) EXPECT_EQ(r.Argument, QString::fromUtf8(c.Argument));
    }
}

} // namespace
