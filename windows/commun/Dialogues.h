#pragma once
// File and colour dialogs and the shell's "open", seen by the windows through one
// interface: the program shows real dialogs (DialoguesQt), tests answer them
// (DialoguesScriptes) and record what would have been opened.
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QFileDialog;

namespace vuv {

struct DemandeFichier {
    QString titre;
    QString dossier;          // initial folder
    QString filtre;           // the program's form: "Texte|*.a;*.b|Autre|*.c"
    int index_filtre = 1;     // 1-based, as the program counts them
    QString nom;              // proposed file name
    bool doit_exister = true; // open dialogs only
    // Save dialogs: a check box under the file list when not empty, and its first state; the
    // state as the dialog closed is Dialogues::option_cochee().
    QString option;
    bool option_cochee = false;
};

// The program's filters ("description|patterns|description|patterns") as Qt name filters:
// "Texte|*.a;*.b|Autre|*.c" gives "Texte (*.a *.b)" and "Autre (*.c)". A description slipped
// among the patterns ("*.trl;Tous (*.*)|*.*") starts the next entry; "*.*" means every file,
// with or without a dot; an odd last part is dropped.
QStringList filtres_qt(const QString& filtre);

// Sets a Qt file dialog up for a request: title, absolute folder, filters, proposed name, size.
void prepare_dialogue(QFileDialog& f, const DemandeFichier& d);

// Told when the shell found nothing to open a written file with.
QString message_document_non_ouvert(const QString& chemin);

class Dialogues {
public:
    virtual ~Dialogues() = default;

    // The returned path is absolute, so that no later change of folder moves it. A returned
    // file makes its folder the process's current folder: several work files
    // ("~memo.txt", "~tmp.txt"...) are found there afterwards.
    std::optional<QString> ouvrir(const DemandeFichier& d);
    std::optional<QString> enregistrer(const DemandeFichier& d);
    // The last save dialog's check box as it was closed (its first state when it had none).
    bool option_cochee() const { return option_; }
    // full: whether the full colour definition is offered.
    virtual std::optional<QColor> couleur(const QColor& initiale, bool complete) = 0;
    // The shell's "open" on a file (text editor, spreadsheet, PDF reader); when nothing could
    // be started, the user is told where the file is.
    void ouvre_document(const QString& chemin);

protected:
    void rend_option(bool cochee) { option_ = cochee; }
    // false when no program could be started.
    virtual bool lance_document(const QString& chemin) = 0;
    virtual std::optional<QString> choisit_ouvrir(const DemandeFichier& d) = 0;
    virtual std::optional<QString> choisit_enregistrer(const DemandeFichier& d) = 0;

private:
    bool option_ = false;
};

// The real dialogs; they never ask before replacing a file.
class DialoguesQt : public Dialogues {
public:
    std::optional<QColor> couleur(const QColor& initiale, bool complete) override;

protected:
    bool lance_document(const QString& chemin) override;
    std::optional<QString> choisit_ouvrir(const DemandeFichier& d) override;
    std::optional<QString> choisit_enregistrer(const DemandeFichier& d) override;
};

// The dialogs in use. Until some are installed, every dialog is cancelled and nothing opens.
Dialogues& dialogues();
void installe_dialogues(Dialogues* d); // the caller keeps ownership; nullptr restores

} // namespace vuv
