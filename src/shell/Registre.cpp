#include "shell/Registre.h"

#include "shell/DossiersUtilisateur.h"

#include <QSettings>
#include <QVariant>

#include <array>
#include <memory>

const char MessOmbView[] = "SOFTWARE\\OmbView";

namespace {

const QString PrefixeChaine = QStringLiteral("sz:");
const QString PrefixeDword = QStringLiteral("dword:");
const QString PrefixeMulti = QStringLiteral("multi_sz:");
const QChar Nul(u'\0');

std::unique_ptr<QSettings> OUVRIR_MAGASIN(const char* application) {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QString::fromLatin1(NomOrganisation),
                                       QString::fromLatin1(application));
}

// A registry path ("a\b") as a QSettings key path ("a/b").
QString CHEMIN_QSETTINGS(const char* chemin) {
    QString texte = QString::fromLatin1(chemin);
    texte.replace(u'\\', u'/');
    return texte;
}

QString CLE_PROGRAMME(const char* nom) {
    return CHEMIN_QSETTINGS(MessOmbView) + u'/' + QString::fromLatin1(nom);
}

// The payload of a value written with `prefixe`, or nothing for another kind.
std::optional<QString> LIRE_BRUT(QSettings& magasin, const QString& cle, const QString& prefixe) {
    const QVariant valeur = magasin.value(cle);
    if (valeur.typeId() != QMetaType::QString) return std::nullopt;
    const QString texte = valeur.toString();
    if (!texte.startsWith(prefixe)) return std::nullopt;
    return texte.mid(prefixe.size());
}

bool ECRIRE_BRUT(QSettings& magasin, const QString& cle, const QString& texte) {
    magasin.setValue(cle, texte);
    magasin.sync();
    return magasin.status() == QSettings::NoError;
}

std::optional<uint32_t> DECODER_DWORD(const QString& texte) {
    if (texte.isEmpty() || texte.size() > 8) return std::nullopt;
    for (QChar c : texte) {
        const char16_t u = c.unicode();
        const bool hexa = (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!hexa) return std::nullopt;
    }
    bool ok = false;
    const uint32_t valeur = texte.toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    return valeur;
}

// Entries each followed by a NUL; an empty text is the empty list. A text not ended by a NUL is
// malformed and reads as absent.
std::optional<QStringList> DECODER_MULTI(const QString& texte) {
    if (texte.isEmpty()) return QStringList{};
    if (!texte.endsWith(Nul)) return std::nullopt;
    QStringList entrees = texte.split(Nul);
    entrees.removeLast();
    return entrees;
}

QString ENCODER_MULTI(const QStringList& liste) {
    QString texte;
    for (const QString& entree : liste) {
        const qsizetype fin = entree.indexOf(Nul);
        texte += fin < 0 ? entree : entree.left(fin);
        texte += Nul;
    }
    return texte;
}

QString NOM_RECENT(int rang) {
    return QStringLiteral("V%1").arg(rang);
}

} // namespace

std::optional<QString> RECUP_CLE(const char* nom) {
    auto magasin = OUVRIR_MAGASIN(MagasinUtilisateur);
    return LIRE_BRUT(*magasin, CLE_PROGRAMME(nom), PrefixeChaine);
}

bool SAUVE_CLE(const char* nom, const std::optional<QString>& valeur) {
    if (!valeur) return true;
    auto magasin = OUVRIR_MAGASIN(MagasinUtilisateur);
    return ECRIRE_BRUT(*magasin, CLE_PROGRAMME(nom), PrefixeChaine + *valeur);
}

std::optional<uint32_t> RECUP_CLE_DWORD(const char* nom) {
    auto magasin = OUVRIR_MAGASIN(MagasinUtilisateur);
    const auto texte = LIRE_BRUT(*magasin, CLE_PROGRAMME(nom), PrefixeDword);
    return texte ? DECODER_DWORD(*texte) : std::nullopt;
}

bool SAUVE_CLE_DWORD(const char* nom, uint32_t valeur) {
    auto magasin = OUVRIR_MAGASIN(MagasinUtilisateur);
    return ECRIRE_BRUT(*magasin, CLE_PROGRAMME(nom),
                       PrefixeDword + QStringLiteral("%1").arg(valeur, 8, 16, QChar(u'0')));
}

std::optional<QStringList> RECUP_CLE_MULTI(const char* nom) {
    auto magasin = OUVRIR_MAGASIN(MagasinUtilisateur);
    const auto texte = LIRE_BRUT(*magasin, CLE_PROGRAMME(nom), PrefixeMulti);
    return texte ? DECODER_MULTI(*texte) : std::nullopt;
}

bool SAUVE_CLE_MULTI(const char* nom, const QStringList& valeur) {
    auto magasin = OUVRIR_MAGASIN(MagasinUtilisateur);
    return ECRIRE_BRUT(*magasin, CLE_PROGRAMME(nom), PrefixeMulti + ENCODER_MULTI(valeur));
}

bool CLE_EXISTE() {
    auto magasin = OUVRIR_MAGASIN(MagasinUtilisateur);
    magasin->beginGroup(CHEMIN_QSETTINGS(MessOmbView));
    return !magasin->allKeys().isEmpty();
}

std::optional<QString> LIRE_FICHIER_RECENT(int rang) {
    if (rang < 1 || rang > NombreFichiersRecents) return std::nullopt;
    return RECUP_CLE(NOM_RECENT(rang).toLatin1().constData());
}

bool ECRIRE_FICHIER_RECENT(int rang, const std::optional<QString>& chemin) {
    if (rang < 1 || rang > NombreFichiersRecents) return false;
    return SAUVE_CLE(NOM_RECENT(rang).toLatin1().constData(), chemin);
}

void SAUVE_NOM_FICHIER(const QString& nom) {
    std::array<std::optional<QString>, NombreFichiersRecents> fichiers;
    for (int rang = 1; rang <= NombreFichiersRecents; ++rang) {
        fichiers[rang - 1] = LIRE_FICHIER_RECENT(rang);
        if (fichiers[rang - 1] == nom) return;
    }
    for (int k = NombreFichiersRecents - 1; k > 0; --k) fichiers[k] = fichiers[k - 1];
    fichiers[0] = nom;
    for (int rang = 1; rang <= NombreFichiersRecents; ++rang) ECRIRE_FICHIER_RECENT(rang, fichiers[rang - 1]);
}

std::optional<QString> LIRE_FICHIER_COMPARAISON() {
    return RECUP_CLE("FC");
}

bool ECRIRE_FICHIER_COMPARAISON(const std::optional<QString>& chemin) {
    return SAUVE_CLE("FC", chemin);
}

QStringList LIRE_LISTE_CONCATENATION() {
    return RECUP_CLE_MULTI("HG").value_or(QStringList{});
}

bool ECRIRE_LISTE_CONCATENATION(const QStringList& fichiers) {
    return SAUVE_CLE_MULTI("HG", fichiers);
}

void CREATION_CLE(const QString& cheminProgramme) {
    auto magasin = OUVRIR_MAGASIN(MagasinClasses);
    const auto poser = [&](const char* cle, const QString& valeur) {
        magasin->setValue(CHEMIN_QSETTINGS(cle) + QStringLiteral("/Default"), PrefixeChaine + valeur);
    };
    poser(".spt", QStringLiteral("filespt"));
    poser("filespt\\shell\\open\\command", cheminProgramme + QStringLiteral(" %1"));
    poser("filespt\\defaulticon", cheminProgramme + QStringLiteral(",0"));
    magasin->sync(); // a store that cannot be written is ignored: the program goes on
}

std::optional<QString> RECUP_CLE_CLASSES(const char* cle) {
    auto magasin = OUVRIR_MAGASIN(MagasinClasses);
    return LIRE_BRUT(*magasin, CHEMIN_QSETTINGS(cle) + QStringLiteral("/Default"), PrefixeChaine);
}
