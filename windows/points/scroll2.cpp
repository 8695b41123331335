// The points window: its creation, its activation and the keys it sees before its controls,
// and the dialogs other windows borrow from it.
#include "windows/points/scroll2.h"

#include "core/document/Document.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/graphe3d/scrollrep.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/commun/Textes.h"
#include "windows/question/Unit6.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2_controles.h"
#include "windows/points/controle/FenetrePointsControle.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <vector>

namespace vuv {
namespace {

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle = {}) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    if (!bulle.isEmpty()) b->setToolTip(bulle);
    b->setAutoDefault(false);
    return b;
}

QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte, bool gras = false) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    if (gras) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLineEdit* saisie(QWidget* parent, const char* nom, const QString& texte, int largeur) {
    auto* e = new QLineEdit(texte, parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setFixedWidth(largeur);
    return e;
}

QHBoxLayout* rangee(QVBoxLayout* l) {
    auto* r = new QHBoxLayout;
    r->setSpacing(4);
    l->addLayout(r);
    return r;
}

// The given widths suit a font whose digits are 6 pixels wide: they are scaled to the grid's
// font, and a column widens to what its cells hold, once the table has settled.
void largeurs(GrilleChaines* g, std::initializer_list<int> l) {
    const double echelle = std::max(1.0, g->fontMetrics().horizontalAdvance(QLatin1Char('0')) / 6.0);
    std::vector<int> minimum;
    for (int w : l) minimum.push_back(static_cast<int>(std::lround(w * echelle)));
    const auto ajuste = [g, minimum] {
        for (int c = 0; c < g->model()->columnCount(); ++c) {
            g->resizeColumnToContents(c);
            if (c < static_cast<int>(minimum.size()) && g->columnWidth(c) < minimum[c])
                g->setColumnWidth(c, minimum[c]);
        }
    };
    auto* attente = new QTimer(g);
    attente->setSingleShot(true);
    QObject::connect(attente, &QTimer::timeout, g, ajuste);
    const auto plus_tard = [attente] { attente->start(0); };
    QAbstractItemModel* m = g->model();
    QObject::connect(m, &QAbstractItemModel::modelReset, attente, plus_tard);
    QObject::connect(m, &QAbstractItemModel::dataChanged, attente, plus_tard);
    QObject::connect(m, &QAbstractItemModel::rowsInserted, attente, plus_tard);
    QObject::connect(m, &QAbstractItemModel::columnsInserted, attente, plus_tard);
    ajuste();
}

// Height of a grid showing its header and n rows without scrolling.
int hauteur_pour(GrilleChaines* g, int n) {
    // The columns may be wider than the window: room for the horizontal scroll bar too.
    return g->horizontalHeader()->sizeHint().height() + n * g->verticalHeader()->defaultSectionSize() +
           g->horizontalScrollBar()->sizeHint().height() + 2 * g->frameWidth() + 2;
}

} // namespace

TForm2::TForm2(Document& document, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      doc(document) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Points digitalisés"));
    resize(440, 760);
    // A dialog-like window at the right edge of the screen, beside the map.
    if (const QScreen* e = QGuiApplication::primaryScreen()) move(e->availableGeometry().right() + 1 - width(), 0);
    construit();
    branche_tables();
    branche_reglages();
    Label12->clear();
    StringGrid1->saisie = false;
    branche_fenetre_principale();
    qApp->installEventFilter(this);
}

TForm2::~TForm2() {
    if (f1_) {
        f1_->reglages_libelles = nullptr;
        f1_->montre_points = nullptr;
        f1_->choisit_couleur_ligne = nullptr;
        f1_->debranche_projet();
    }
}

TForm1* TForm2::form1() const { return fenetres().Form1; }

bool TForm2::est_active() const { return isActiveWindow(); }

void TForm2::construit() {
    auto* dehors = new QVBoxLayout(this);
    dehors->setContentsMargins(0, 0, 0, 0);
    // Small screens scroll the window's content rather than cutting it.
    auto* defile = new QScrollArea(this);
    defile->setObjectName(QStringLiteral("defilement"));
    defile->setWidgetResizable(true);
    defile->setFrameShape(QFrame::NoFrame);
    auto* contenu = new QWidget(defile);
    contenu->setObjectName(QStringLiteral("contenu"));
    contenu->setMouseTracking(true);
    setMouseTracking(true);
    auto* l = new QVBoxLayout(contenu);
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(3);
    construit_haut(l);
    construit_tables(l);
    construit_bas(l);
    defile->setWidget(contenu);
    dehors->addWidget(defile);
    // Outside the scrolled part: whole whatever the window's height.
    auto* bas = new QHBoxLayout;
    bas->setContentsMargins(4, 0, 4, 4);
    bas->addWidget(Edit4);
    bas->addWidget(Label3);
    bas->addStretch(1);
    bas->addWidget(Button1);
    dehors->addLayout(bas);
}

void TForm2::construit_haut(QVBoxLayout* l) {
    QWidget* p = l->parentWidget();
    QHBoxLayout* r = rangee(l);
    SpeedButton3 = bouton(p, "SpeedButton3", QStringLiteral("Enregistrer (points+cal) et  Export"));
    Button2 = bouton(p, "Button2", QStringLiteral("Export Presse-papier (pts+cal)"),
                     QStringLiteral("et enregistrement dans un fichier TXT"));
    SpeedButton8 = bouton(p, "SpeedButton8", QStringLiteral("Graphe F7"));
    connect(SpeedButton8, &QAbstractButton::clicked, this, [this] {
        if (TForm1* f1 = form1()) f1->Graphe1Click();
    });
    r->addWidget(SpeedButton3);
    r->addWidget(Button2);
    r->addStretch(1);

    r = rangee(l);
    CheckBox1 = new QCheckBox(QStringLiteral("Affiche Lib.  Taille"), p);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Edit3 = saisie(p, "Edit3", QStringLiteral("30"), 40);
    Panel1 = new PanneauCouleur(QColor(0, 0, 128), p);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2 = new PanneauCouleur(QColor(0, 255, 255), p);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    for (PanneauCouleur* c : {Panel1, Panel2}) c->setFixedSize(24, 20);
    r->addWidget(CheckBox1);
    r->addWidget(Edit3);
    r->addWidget(Panel1);
    r->addWidget(Panel2);
    r->addStretch(1);
    r->addWidget(SpeedButton8);

    r = rangee(l);
    Label_calage = etiquette(p, "Label_calage", QStringLiteral("Points de calibration"), true);
    Button3 = bouton(p, "Button3", QStringLiteral("Calibration"), QStringLiteral("Nouvelle calibration"));
    Button5 = bouton(p, "Button5", QStringLiteral("échelle"));
    r->addWidget(Label_calage);
    r->addStretch(1);
    r->addWidget(Button3);
    r->addWidget(Button5);

    r = rangee(l);
    SpeedButton9 = bouton(p, "SpeedButton9", QStringLiteral("récup. Cal XY        "),
                          QStringLiteral("changer les valeurs X,Y,Z du calage"));
    SpeedButton10 = bouton(p, "SpeedButton10", QStringLiteral("CalXY coller"),
                           QStringLiteral("les valeurs de calage via le presse-papier"));
    Edit_dx0 = saisie(p, "Edit_dx0", QStringLiteral("0"), 50);
    Edit_dx0->setToolTip(QStringLiteral("dx0"));
    Edit_dy0 = saisie(p, "Edit_dy0", QStringLiteral("0"), 50);
    Edit_dy0->setToolTip(QStringLiteral("dy0"));
    r->addWidget(SpeedButton9);
    r->addWidget(SpeedButton10);
    QPushButton* controle = bouton(p, "BoutonPointsControle", QStringLiteral("Points de calage…"),
                                   QStringLiteral("plus de 3 points, la transformation et les écarts"));
    r->addWidget(controle);
    connect(controle, &QPushButton::clicked, this, [this] {
        auto* f = findChild<FenetrePointsControle*>();
        if (!f) f = new FenetrePointsControle(doc, this);
        f->relit();
        f->show();
        f->raise();
    });
    r->addWidget(Edit_dx0);
    r->addWidget(Edit_dy0);
    r->addStretch(1);
    Edit_dx0->hide();
    Edit_dy0->hide();

    modele2 = new ModeleGrille(doc.StringGrid2, this);
    modele2->edite = [this] { doc.sauve = false; };
    StringGrid2 = new GrilleChaines(*modele2, GenreGrille::calage, p);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    largeurs(StringGrid2, {20, 20, 50, 80, 80, 55, 40, 40, 30});
    StringGrid2->setFixedHeight(hauteur_pour(StringGrid2, 3));
    StringGrid2->colonne_saisissable = [](int c) { return c >= 2 && c <= 5; };
    l->addWidget(StringGrid2);
}

void TForm2::construit_tables(QVBoxLayout* l) {
    QWidget* p = l->parentWidget();
    QHBoxLayout* r = rangee(l);
    Label8 = etiquette(p, "Label8", QStringLiteral("Points digitalisés"), true);
    SpeedButton1 = bouton(p, "SpeedButton1", QStringLiteral("Supprimer le point"));
    r->addWidget(Label8);
    r->addStretch(1);
    r->addWidget(SpeedButton1);

    r = rangee(l);
    CheckBox_z = new QCheckBox(QStringLiteral("altitude Z + -  (F2,F3)"), p);
    CheckBox_z->setObjectName(QStringLiteral("CheckBox_z"));
    CheckBox_z->setToolTip(QStringLiteral("F9 = recopie l'altitude pour le reste des points"));
    Label9 = etiquette(p, "Label9", QStringLiteral("clik gauche = AltGr ou Ctrl"));
    Label9->setToolTip(QStringLiteral("la touche Alt Graphique = un clik gauche"));
    r->addWidget(CheckBox_z);
    r->addStretch(1);
    r->addWidget(Label9);

    modele1 = new ModeleGrille(doc.StringGrid1, this);
    modele1->edite = [this] { doc.sauve = false; };
    StringGrid1 = new GrilleChaines(*modele1, GenreGrille::points, p);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    largeurs(StringGrid1, {40, 25, 50, 100, 100, 70, 40, 40, 30});
    StringGrid1->setMinimumHeight(hauteur_pour(StringGrid1, 6));
    StringGrid1->colonne_saisissable = [](int c) { return c == 2 || c == 5; };
    l->addWidget(StringGrid1, 1);
    StringGrid1->hide();

    r = rangee(l);
    Deselection_Button4 = bouton(p, "Deselection_Button4", QStringLiteral("Tout afficher [Ok]=(x)"));
    All_select_Button5 = bouton(p, "All_select_Button5", QStringLiteral("Tout désélectionner [Ok]=( )"));
    r->addWidget(Deselection_Button4);
    r->addWidget(All_select_Button5);
    r->addStretch(1);

    modele3 = new ModeleGrille(doc.StringGrid3, this);
    modele3->edite = [this] { doc.sauve = false; };
    StringGrid3 = new GrilleChaines(*modele3, GenreGrille::lignes, p);
    StringGrid3->setObjectName(QStringLiteral("StringGrid3"));
    largeurs(StringGrid3, {30, 60, 45, 25, 120});
    StringGrid3->setFixedHeight(hauteur_pour(StringGrid3, 5));
    l->addWidget(StringGrid3);

    Label12 = etiquette(p, "Label12", QStringLiteral("aide"));
    // The help texts must not widen the window.
    Label12->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->addWidget(Label12);
    r = rangee(l);
    Button_sup_ligne = bouton(p, "Button_sup_ligne", QStringLiteral("Supprimer la ligne courante"));
    r->addStretch(1);
    r->addWidget(Button_sup_ligne);
}

void TForm2::construit_bas(QVBoxLayout* l) {
    QWidget* p = l->parentWidget();
    SpeedButton4 = bouton(p, "SpeedButton4", QStringLiteral("rajouter des points digitalisés        "),
                          QStringLiteral("Compléter avec une série de points associés à la même image"));
    SpeedButton6 = bouton(p, "SpeedButton6", QStringLiteral("*.TXT rajouter des points (X,Y,Lib)"),
                          QStringLiteral("fichier TEXTE contenant 2 ou 3 colonnes, X  Y et éventuellement Libellé"));
    SpeedButton5 = bouton(p, "SpeedButton5", QStringLiteral("*.XLS rajouter des points (X,Y,Lib)"),
                          QStringLiteral("fichier *.xls avec X  Y Lib ..."));
    for (QPushButton* b : {SpeedButton4, SpeedButton6, SpeedButton5}) l->addWidget(b);

    Panel3 = new QFrame(p);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameShape(QFrame::StyledPanel);
    // The coordinates have the row to themselves, whole at 8 decimals.
    auto* xy = new QHBoxLayout(Panel3);
    xy->setContentsMargins(4, 2, 4, 2);
    Label4 = etiquette(Panel3, "Label4", QStringLiteral("X="));
    Label5 = etiquette(Panel3, "Label5", QStringLiteral("Y="));
    Edit4 = saisie(p, "Edit4", QStringLiteral("8"), 40);
    // Digits only; backspace stays free.
    Edit4->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit4));
    Label3 = etiquette(p, "Label3", QStringLiteral("décimales (puis <Entrée>)"));
    Label3->setMinimumWidth(1); // whole at the window's own width; never widens it
    for (QLabel* e : {Label4, Label5}) e->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    xy->addWidget(Label4, 1);
    xy->addWidget(Label5, 1);
    l->addWidget(Panel3);

    Button1 = bouton(p, "Button1", QStringLiteral("Quit direct"));

    SpeedButton2 = bouton(p, "SpeedButton2", QStringLiteral("Insérer avant"));
    SpeedButton7 = bouton(p, "SpeedButton7", QStringLiteral("rajouter (lib,  distance, cap)"));
    Label1 = etiquette(p, "Label1", QStringLiteral("déclinaison °"));
    Label2 = etiquette(p, "Label2", QStringLiteral("epsilon"));
    Edit1 = saisie(p, "Edit1", QStringLiteral("1.5"), 40);
    Edit2 = saisie(p, "Edit2", QStringLiteral("3.0"), 40);
    Memo2 = new QPlainTextEdit(p);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    // Hidden until the main window's Options menu asks for them.
    QHBoxLayout* cap = rangee(l);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Edit1, Label2, Edit2}) cap->addWidget(w);
    cap->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton2, SpeedButton7, Label1, Label2, Edit1, Edit2, Memo2})
        w->hide();

    // Their features come with their own work: the traverse and the scale and altitude tools;
    // the spreadsheet import is enabled with its panel.
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBox_z, SpeedButton5, SpeedButton7})
        w->setEnabled(false);
}

void TForm2::branche_fenetre_principale() {
    TForm1* f1 = form1();
    if (!f1) return;
    f1_ = f1;
    f1->reglages_libelles = [this](ReglagesTrace& r) { reglages_libelles(r); };
    f1->montre_points = [this] { montre_table_points(); };
    f1->choisit_couleur_ligne = [this](int L) { return choisit_couleur_ligne(L); };
    f1->branche_altitude(*this);
    // The project commands of the main window read through this window.
    f1->branche_projet();
    branche_imports();
    branche_annulation();
}

void TForm2::montre_table_points() { StringGrid1->show(); }

// --- Activation ---

void TForm2::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) FormActivate();
    else FormDeactivate();
}

void TForm2::FormActivate() { calage_modifie = false; }

void TForm2::FormDeactivate() {
    // A dialog of this window is not leaving it.
    if (QApplication::activeModalWidget()) return;
    if (calage_modifie) calcul_nouveaux_calage();
    StringGrid1Exit();
    TForm1* f1 = form1();
    if (!f1) return;
    // Another application took the focus: nothing to give back until the user returns.
    // The 3D graph keeps the focus it takes.
    if (QApplication::activeWindow() && QApplication::activeWindow() != static_cast<QWidget*>(fenetres().Form4))
        f1->activateWindow();
    f1->ignore_clic_suivant = true;
    f1->redessiner_calque();
    f1->redessiner();
    f1->af_efface_der_ligne_xor();
}

bool TForm2::eventFilter(QObject* objet, QEvent* e) {
    const QEvent::Type t = e->type();
    if ((t != QEvent::KeyPress && t != QEvent::MouseMove) || !objet->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(objet);
    if (w->window() != this) return false;
    if (t == QEvent::MouseMove) {
        if (w != StringGrid3 && !StringGrid3->isAncestorOf(w)) FormMouseMove();
        return false;
    }
    const int touche = static_cast<QKeyEvent*>(e)->key();
    TForm1* f1 = form1();
    if ((touche == Qt::Key_Escape || touche == Qt::Key_F4) && f1 && f1->Tabledigitaliser1->isChecked()) {
        hide();
        f1->activateWindow();
        f1->setFocus();
        return true;
    }
    return false;
}

// --- Dialogs other windows borrow ---

bool TForm2::premiere_ligne_enregistre(const QString& nom, const QString& texte) {
    return vuv::premiere_ligne_enregistre(ss(nom), ss(texte));
}

QString TForm2::premiere_ligne_lecture(const QString& nom) { return qs(vuv::premiere_ligne_lecture(ss(nom))); }

QString TForm2::dlg_titre_message_ONEK_large(const QString& titre, const QString& message, const QString& lettres,
                                             const QString& oui, const QString& non) {
    TForm6* f6 = fenetres().Form6;
    if (!f6) return QStringLiteral("E");
    const QString r = f6->demande(605, titre, message, lettres, oui, non);
    f6->Memo1->hide();
    return r;
}

std::optional<QString> TForm2::texte_controle(const QString& fichier, const QString& extra) {
    TForm6* f6 = fenetres().Form6;
    if (!f6) return std::nullopt;
    QFile entree(fichier);
    if (!entree.open(QIODevice::ReadOnly)) {
        port().erreur("Impossible d'ouvrir le fichier <" + ss(fichier) + ">");
        return std::nullopt;
    }
    // Beyond this the text box would take minutes and gigabytes to show it.
    constexpr qint64 taille_max = 64LL * 1024 * 1024;
    if (entree.size() > taille_max) {
        port().information("Le fichier <" + ss(fichier) + "> est trop grand pour être affiché (plus de 64 Mo).");
        return std::nullopt;
    }
    const QByteArray octets = entree.readAll();
    if (const qsizetype nul = octets.indexOf('\0'); nul >= 0) {
        port().information("Le fichier <" + ss(fichier) + "> n'est pas un fichier texte (octet nul à la position " +
                           std::to_string(nul + 1) + ").");
        return std::nullopt;
    }
    QString texte = qs(texte_de_fichier(std::string_view(octets.constData(), static_cast<std::size_t>(octets.size()))));
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (texte.endsWith(QLatin1Char('\n'))) texte.chop(1);
    f6->Memo1->setPlainText(texte);
    f6->Memo1->show();

    const QString r = dlg_titre_message_ONEK_large(QStringLiteral("contenu de ") + fichier + QLatin1Char('\r') + extra,
                                                   QString(), QStringLiteral("OE"), QStringLiteral("traiter"),
                                                   QStringLiteral("annuler"));
    if (r != QStringLiteral("O")) {
        f6->Memo1->clear();
        return std::nullopt;
    }
    return f6->Memo1->toPlainText();
}

bool TForm2::ecrit_lignes(const QString& chemin, const QString& texte) {
    // One CR LF after every line, the last one included.
    QString lignes = texte;
    if (!lignes.isEmpty()) {
        lignes.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        lignes += QStringLiteral("\r\n");
    }
    const std::string octets = utf8_vers_cp1252(ss(lignes));
    QSaveFile sortie(chemin);
    return sortie.open(QIODevice::WriteOnly) &&
           sortie.write(octets.data(), static_cast<qint64>(octets.size())) == static_cast<qint64>(octets.size()) &&
           sortie.commit();
}

bool TForm2::af_fic_txt_memo(const QString& fichier, const QString& fichier_travail, const QString& extra) {
    const std::optional<QString> texte = texte_controle(fichier, extra);
    if (!texte) return false;
    if (!ecrit_lignes(fichier_travail, *texte)) {
        port().erreur("Impossible d'écrire le fichier <" + ss(fichier_travail) + ">");
        return false;
    }
    return true;
}

} // namespace vuv
