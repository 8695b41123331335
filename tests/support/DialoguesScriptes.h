#pragma once
// Dialogs for tests: answers come from queues, requests and opened documents are recorded.
#include "windows/commun/Dialogues.h"

#include <QList>

#include <deque>

namespace vuv {

class DialoguesScriptes : public Dialogues {
public:
    // Answers in order; with none queued, the dialog is cancelled.
    void repond_fichier(const QString& chemin) { fichiers_.push_back({true, chemin}); }
    void repond_fichier_annule() { fichiers_.push_back({false, QString()}); }
    void repond_couleur(const QColor& c) { couleurs_.push_back({true, c}); }
    void repond_couleur_annule() { couleurs_.push_back({false, QColor()}); }
    // The next save dialog that offers a check box is closed with it in this state; without
    // an answer the box keeps its first state.
    void repond_option(bool cochee) { options_.push_back(cochee); }
    // From now on the shell finds nothing to open documents with.
    void sans_programme_pour_ouvrir() { lance_ = false; }

    const QList<DemandeFichier>& demandes() const { return demandes_; }
    const QStringList& documents_ouverts() const { return documents_; }
    int demandes_couleur() const { return demandes_couleur_; }

    std::optional<QColor> couleur(const QColor& initiale, bool complete) override;

protected:
    bool lance_document(const QString& chemin) override {
        documents_ << chemin;
        return lance_;
    }
    std::optional<QString> choisit_ouvrir(const DemandeFichier& d) override { return suivant(d); }
    std::optional<QString> choisit_enregistrer(const DemandeFichier& d) override { return suivant(d); }

private:
    std::optional<QString> suivant(const DemandeFichier& d);

    template <class T>
    struct Reponse {
        bool ok;
        T valeur;
    };
    std::deque<Reponse<QString>> fichiers_;
    std::deque<Reponse<QColor>> couleurs_;
    std::deque<bool> options_;
    QList<DemandeFichier> demandes_;
    QStringList documents_;
    int demandes_couleur_ = 0;
    bool lance_ = true;
};

} // namespace vuv
