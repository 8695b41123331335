#pragma once
// What the window tests share: a private program folder, a scripted user port and the
// real start-up sequence.
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/PortScripte.h"
#include "windows/demarrage/Demarrage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vuv::test {

// Points the program folder (environment override and core setting) at a fresh temporary
// folder, or at the given path, and the user's data folder (XDG_DATA_HOME, where recovery
// files go) at its "donnees" sub-folder; restores all of them afterwards.
class DossierProgrammeTest {
public:
    DossierProgrammeTest();
    explicit DossierProgrammeTest(const QString& chemin);
    ~DossierProgrammeTest();
    DossierProgrammeTest(const DossierProgrammeTest&) = delete;
    DossierProgrammeTest& operator=(const DossierProgrammeTest&) = delete;

    QString chemin() const { return chemin_; } // without the trailing '/'
    QString fichier(const QString& nom) const { return chemin_ + QLatin1Char('/') + nom; }

private:
    void installe();

    QTemporaryDir temporaire_;
    QString chemin_;
    QByteArray ancien_, ancien_donnees_;
    bool avait_ancien_ = false, avait_donnees_ = false;
    std::string ancien_dossier_;
};

// The program started as a user starts it, answering through a scripted port.
struct ProgrammeTest {
    explicit ProgrammeTest(const QStringList& arguments = {});
    ~ProgrammeTest();

    PortScripte port;
    std::unique_ptr<PortInstalle> installe;
    std::unique_ptr<Programme> programme;
};

std::unique_ptr<ProgrammeTest> demarre(const QStringList& arguments = {});

// A window test's bench: a fresh program folder made the current folder, scripted dialogs,
// the program started. ferme_seance undoes it in the reverse order.
struct Seance {
    std::unique_ptr<DossierProgrammeTest>& dossier;
    std::unique_ptr<DialoguesScriptes>& dialogues;
    std::unique_ptr<ProgrammeTest>& programme;
    QString& courant;
};
void ouvre_seance(const Seance& s);
void ferme_seance(const Seance& s);

bool existe(const QString& chemin);
QByteArray lit_octets(const QString& chemin);
void ecrit_octets(const QString& chemin, const QByteArray& octets);

} // namespace vuv::test
