#include "viewer/AideVersion.h"

#include <cstdio>

#include "TexteAide.h"

int REPONDRE_OPTION_LONGUE(const tLectureOptionLongue& lecture) {
    switch (lecture.Option) {
    case tOptionLongue::Aide:
        std::fputs(TexteAide, stdout);
        break;
    case tOptionLongue::Version:
        std::fputs("ombrixviewer " OMBRIX_VERSION "\n", stdout);
        break;
    case tOptionLongue::Inconnue:
        std::fprintf(stderr, "ombrixviewer: unknown option '%s'; see 'ombrixviewer --help'\n",
                     lecture.Argument.toLocal8Bit().constData());
        return 2;
    case tOptionLongue::Aucune:
        return 0;
    }
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}
