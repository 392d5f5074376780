// The concatenation dialog: the recordings to join, in order, kept in "HG";
// "Valid" joins them into a temporary recording, "Save file" into a file the
// user names; the main window then opens the result. A thin view over
// ConcatenationREC (recording/Concatenation.h), which does the file work.
//
// The main window's "Concatenate" command:
//     concatene dialogue(this);
//     dialogue.init_texte();
//     ExecuterDialogue(dialogue);   // or dialogue.exec()
//     if (dialogue.ValiditeFic == 1)
//         APPEL_FICHIER(dialogue.PremierNomFichier(), dialogue.FichierTemp(), 0);
#pragma once

#include <functional>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "recording/Concatenation.h"

class QListWidget;
class QPushButton;
class QToolButton;

namespace VIEW {

class concatene : public QDialog {
    Q_OBJECT

public:
    // Builds the dialog and fills the list from "HG", the first entry selected.
    explicit concatene(QWidget* parent = nullptr);

    // Button texts in the current language.
    void init_texte();

    // "Add": the chosen recordings are appended in the order the file dialog gives them.
    void AJOUTER_FICHIER();
    // The picture buttons: the selected entry one place up or down, still selected.
    void HAUT();
    void BAS();
    // "remove": the selected entries go; the entry now at the same place is
    // selected, or the last one.
    void EFFACE();
    // "Valid": join into a temporary recording.
    void DEMANDE_OK();
    // "Save file": join into the file named in the save dialog (with the
    // extension ".rec"); cancelled, the join goes to a temporary recording.
    void SAVE_CONCATE();
    // Joins the listed files with the wait cursor; a failure is told in a box.
    // The dialog closes in both cases.
    void CONCAT_DEMANDE_OK(uint8_t sauver);
    // "Abort": nothing is joined.
    void ANNULER();

    // The files listed, in order.
    QStringList Fichiers() const;

    // The result, for the main window: 1 when a joined recording is ready.
    uint8_t ValiditeFic = 0;
    QString FichierTemp() const { return Concat.FichierTemp; }
    QString PremierNomFichier() const { return Concat.PremierNomFichier; }
    QString FileTemporaire() const { return Concat.FileTemporaire; }

    // The file dialogs, replaceable by tests. Open: (folder, proposed name,
    // filter "text|pattern") -> the chosen files, none when cancelled. Save:
    // (title, folder, filter) -> the chosen path, empty when cancelled.
    std::function<QStringList(const QString&, const QString&, const QString&)> DemanderFichiers;
    std::function<QString(const QString&, const QString&, const QString&)> DemanderEnregistrement;

    // The join, with its opener (OuvrirConcat) and its file operations.
    ConcatenationREC Concat;

    // Controls, named as their objects.
    QListWidget* listBox1 = nullptr;
    QPushButton* button1 = nullptr;      // "Add"
    QPushButton* buttonefface = nullptr; // "remove"
    QPushButton* buttonAnnule = nullptr; // "Abort"
    QPushButton* button2 = nullptr;      // "Valid"
    QPushButton* button_save = nullptr;  // "Save file"
    QToolButton* pictureBoxHaut = nullptr;
    QToolButton* pictureBoxBas = nullptr;

private:
    void SELECTIONNER(int ligne);
    void DEPLACER(int sens);
};

} // namespace VIEW
