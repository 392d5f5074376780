// The double-dash options of the viewer's command line, answered before anything else is done
// (no application object, no settings): --help and --version. Any other argument starting with
// "--" is refused; the "/" options and the arguments naming files keep their own rules, so a
// recording or a first-argument configuration file whose name starts with "--" is no option.
#pragma once

#include <QString>
#include <QStringList>

enum class tOptionLongue { Aucune, Aide, Version, Inconnue };

struct tLectureOptionLongue {
    tOptionLongue Option = tOptionLongue::Aucune;
    QString Argument; // the argument read, for the message of an unknown one
};

// The first double-dash argument decides; none: Aucune.
tLectureOptionLongue LIRE_OPTION_LONGUE(const QStringList& arguments);
