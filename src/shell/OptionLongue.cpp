#include "shell/OptionLongue.h"

#include "shell/LigneCommande.h"

tLectureOptionLongue LIRE_OPTION_LONGUE(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QStringLiteral("--"))) continue;
        if (argument.toLower().endsWith(QStringLiteral(".rec"))) continue;
        if (i == 0 && EST_FICHIER_CONFIG(argument)) continue;
        if (argument == QStringLiteral("--help")) return {tOptionLongue::Aide, argument};
        if (argument == QStringLiteral("--version")) return {tOptionLongue::Version, argument};
        return {tOptionLongue::Inconnue, argument};
    }
    return {};
}
