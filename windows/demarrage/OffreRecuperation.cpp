#include "windows/demarrage/OffreRecuperation.h"

#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Textes.h"
#include "windows/points/scroll2.h"

#include <QCoreApplication>
#include <QEvent>

namespace vuv {

SuiviRecuperation::SuiviRecuperation(Recuperation& r, int intervalle_s) : r_(r) {
    connect(&minuterie_, &QTimer::timeout, this, [this] { r_.echeance(); });
    minuterie_.start(intervalle_s * 1000);
    QCoreApplication::instance()->installEventFilter(this);
}

bool SuiviRecuperation::eventFilter(QObject* objet, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        r_.suit_document();
        break;
    default:
        break;
    }
    return QObject::eventFilter(objet, e);
}

bool offre_recuperation(Recuperation& r, TForm2& f2, const std::string& version, const std::function<void()>& montre) {
    for (RecuperationAbandonnee& a : r.abandonnees()) {
        if (!a.verifie(version)) continue;
        if (!port().oui_non(question_recuperation(a.date()))) {
            a.efface();
            continue;
        }
        const std::string& projet = a.pied().projet;
        montre();
        // A read stopped on the way (the background not found) keeps the file for a later start.
        if (!f2.lit_projet_octets_de(a.octets_projet(), qs(a.fichier()), qs(projet))) continue;
        Document& d = f2.doc;
        d.systeme_wkt = a.pied().systeme_wkt;
        d.sauve = false;
        // The save dialog opens where the project is, never in the recovery folder.
        if (!projet.empty()) premiere_ligne_enregistre(fichier_dernier_dossier, dossier_de(projet));
        // The work lives in this program's file before the other is deleted.
        if (r.ecrit()) a.efface();
        return true;
    }
    return false;
}

} // namespace vuv
