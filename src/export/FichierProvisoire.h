// The file an export writes: a temporary file in the target's folder, renamed
// over the target only once it is complete. The previous file of that name
// stays untouched until then, and a failed export leaves nothing where the
// user named a file (the temporary file is removed).
#pragma once

#include <QString>

class FichierProvisoire {
public:
    FichierProvisoire() = default;
    ~FichierProvisoire() { Abandonner(); }
    FichierProvisoire(const FichierProvisoire&) = delete;
    FichierProvisoire& operator=(const FichierProvisoire&) = delete;

    // Creates the temporary file (readable and writable by the user) beside
    // `cible`. False when that folder cannot receive a file (missing, not a
    // folder, not writable); nothing is then created.
    bool Creer(const QString& cible);

    // Descriptor of the open temporary file, -1 once closed.
    int Descripteur() const { return Fd_; }
    // Path of the temporary file, for writers that open it by name themselves
    // (close the descriptor first with FermerDescripteur).
    const QString& Chemin() const { return Chemin_; }
    const QString& Cible() const { return Cible_; }
    bool FermerDescripteur();

    // Flushes the file to disk, closes it and renames it over the target. False
    // when any of these fails: the temporary file is then removed and the
    // target keeps its previous content.
    bool Valider();
    // Closes and removes the temporary file (nothing when none is held).
    void Abandonner();

private:
    int Fd_ = -1;
    bool FermetureEchouee_ = false;
    QString Chemin_;
    QString Cible_;
};
