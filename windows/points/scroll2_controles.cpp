#include "windows/points/scroll2_controles.h"

#include "core/text/extraitUTIL.h"
#include "windows/commun/Couleurs.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/commun/Textes.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace vuv {
namespace {

const QColor marine(0, 0, 128); // 0x800000 as 0x00BBGGRR
const char* texte_ouverture = "vuv_texte_ouverture";

bool est_entree(int touche) { return touche == Qt::Key_Return || touche == Qt::Key_Enter; }

bool perte_de_fenetre(Qt::FocusReason r) {
    // Switching windows or opening a menu keeps the grid's focus in its window.
    return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason;
}

void texte_en_clair(QPainter* p, const QRect& r, const QFont& police, const QColor& fond, const QString& texte) {
    p->save();
    p->fillRect(r, fond);
    p->setFont(police);
    p->setPen(Qt::white);
    p->drawText(r.adjusted(2, 2, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texte);
    p->restore();
}

} // namespace

// --- DelegueGrille ---

DelegueGrille::DelegueGrille(GrilleChaines& grille, GenreGrille genre)
    : QStyledItemDelegate(&grille), grille_(grille), genre_(genre) {}

QWidget* DelegueGrille::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    auto* ed = qobject_cast<QLineEdit*>(w);
    if (!ed) return w;
    ed->setFrame(false);
    ed->setProperty(texte_ouverture, index.data(Qt::EditRole));
    const int col = index.column();
    const int row = ModeleGrille::ligne_grille(index.row());
    GrilleChaines* g = &grille_;
    connect(ed, &QLineEdit::textEdited, g, [g, ed, col, row](const QString& t) {
        emit g->texte_edite(ed, col, row, t);
        // Kept texts go into the cell at once, as the grid's cells follow their editor: leaving
        // the window reads them without Enter.
        if (ed->text() == t && g->modele().grille().cell(col, row) != ss(t)) {
            g->modele().grille().set_cell(col, row, ss(t));
            if (g->modele().edite) g->modele().edite();
        }
    });
    return ed;
}

void DelegueGrille::setEditorData(QWidget* editeur, const QModelIndex& index) const {
    // The cell echoing what is being typed must not move the cursor.
    if (auto* ed = qobject_cast<QLineEdit*>(editeur); ed && ed->text() == index.data(Qt::EditRole).toString()) return;
    QStyledItemDelegate::setEditorData(editeur, index);
}

bool DelegueGrille::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const int touche = k->key();
        // Keys the editor leaves reach the grid itself, which reports them.
        emit grille_.frappe();
        if (est_entree(touche)) {
            // The typed text is kept first: the Enter handlers read it.
            const bool r = QStyledItemDelegate::eventFilter(objet, e);
            emit grille_.touche_entree();
            return r;
        }
        if (touche == Qt::Key_Escape) {
            // The cell was written while typing: put back what it held when the editor opened.
            if (auto* ed = qobject_cast<QLineEdit*>(objet)) {
                const QModelIndex i = grille_.currentIndex();
                if (i.isValid()) grille_.model()->setData(i, ed->property(texte_ouverture));
            }
        }
    }
    if (e->type() == QEvent::FocusOut) {
        const auto raison = static_cast<QFocusEvent*>(e)->reason();
        const bool r = QStyledItemDelegate::eventFilter(objet, e);
        if (!perte_de_fenetre(raison) && grille_.focus_parti()) emit grille_.sortie();
        return r;
    }
    return QStyledItemDelegate::eventFilter(objet, e);
}

void DelegueGrille::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QModelIndex courant = grille_.currentIndex();
    const bool ligne_courante = courant.isValid() && courant.row() == index.row();
    const QString texte = index.data(Qt::DisplayRole).toString();
    const int col = index.column();

    if (genre_ == GenreGrille::lignes) {
        if (col == 0 && ligne_courante) {
            texte_en_clair(p, option.rect, option.font, marine, texte);
            return;
        }
        if (col == 2 && !texte.isEmpty()) {
            // A swatch: the cell filled with its own colour, its text written in it.
            const LectureEntier v = lit_entier(ss(texte));
            if (v.erreur != 0) emit grille_.couleur_illisible(texte);
            p->fillRect(option.rect, couleur_bgr(static_cast<std::uint32_t>(v.valeur)));
            return;
        }
        QStyledItemDelegate::paint(p, option, index);
        return;
    }

    if (col < grille_.modele().grille().fixed_cols()) {
        p->fillRect(option.rect, option.palette.button());
        p->save();
        p->setPen(option.palette.color(QPalette::ButtonText));
        p->drawText(option.rect.adjusted(2, 2, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texte);
        p->restore();
        return;
    }
    if (ligne_courante && col != courant.column()) {
        texte_en_clair(p, option.rect, option.font, marine, texte);
        return;
    }
    QStyledItemDelegate::paint(p, option, index);
}

// --- GrilleChaines ---

GrilleChaines::GrilleChaines(ModeleGrille& modele, GenreGrille genre, QWidget* parent)
    : QTableView(parent), modele_(modele), genre_(genre), delegue_(new DelegueGrille(*this, genre)) {
    setModel(&modele_);
    setItemDelegate(delegue_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    verticalHeader()->hide();
    // Rows of one height: the view never measures 100 000 of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    connect(&modele_, &ModeleGrille::ligne_choisie, this, &GrilleChaines::suit_ligne_choisie);
}

int GrilleChaines::col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 0;
}

int GrilleChaines::row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? ModeleGrille::ligne_grille(i.row()) : 0;
}

void GrilleChaines::choisit(int c, int r) {
    const QModelIndex i = modele_.index(ModeleGrille::ligne_modele(r), c);
    if (!i.isValid()) return;
    setCurrentIndex(i);
    scrollTo(i);
}

QLineEdit* GrilleChaines::editeur() const {
    const QModelIndex i = currentIndex();
    // Editors opened by the delegate are index widgets too.
    return i.isValid() ? qobject_cast<QLineEdit*>(indexWidget(i)) : nullptr;
}

void GrilleChaines::suit_ligne_choisie(int ligne) {
    const int colonne = std::max(currentIndex().isValid() ? currentIndex().column() : 0,
                                 modele_.grille().fixed_cols());
    const QModelIndex i = modele_.index(ModeleGrille::ligne_modele(ligne), colonne);
    if (!i.isValid()) return;
    // The table chose the row itself: the user's cell handlers do not run.
    if (i != currentIndex()) {
        const QSignalBlocker b(this);
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    }
    scrollTo(i);
    viewport()->update();
}

bool GrilleChaines::edit(const QModelIndex& index, EditTrigger trigger, QEvent* e) {
    if (trigger != QAbstractItemView::NoEditTriggers && trigger != QAbstractItemView::CurrentChanged) {
        if (!saisie || !window()->isActiveWindow()) return false;
        if (colonne_saisissable && !colonne_saisissable(index.column())) return false;
    }
    return QTableView::edit(index, trigger, e);
}

void GrilleChaines::currentChanged(const QModelIndex& courant, const QModelIndex& precedent) {
    QTableView::currentChanged(courant, precedent);
    viewport()->update();
    if (!courant.isValid()) return;
    const int r = ModeleGrille::ligne_grille(courant.row());
    if (modele_.grille().row() != r) {
        const QSignalBlocker b(&modele_);
        modele_.grille().set_row(r);
    }
    emit cellule_choisie(courant.column(), r);
}

void GrilleChaines::mousePressEvent(QMouseEvent* e) {
    const QModelIndex i = indexAt(e->position().toPoint());
    QTableView::mousePressEvent(e);
    emit souris_enfoncee(e->button(), i.isValid() ? i.column() : -1,
                         i.isValid() ? ModeleGrille::ligne_grille(i.row()) : -1);
}

void GrilleChaines::mouseDoubleClickEvent(QMouseEvent* e) {
    const QModelIndex i = indexAt(e->position().toPoint());
    QTableView::mouseDoubleClickEvent(e);
    if (i.isValid()) emit double_clic(i.column(), ModeleGrille::ligne_grille(i.row()));
}

void GrilleChaines::mouseMoveEvent(QMouseEvent* e) {
    QTableView::mouseMoveEvent(e);
    emit souris_deplacee(columnAt(static_cast<int>(e->position().x())));
}

void GrilleChaines::keyPressEvent(QKeyEvent* e) {
    emit frappe();
    emit touche(e->key(), e->modifiers());
    if (est_entree(e->key())) {
        emit touche_entree();
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void GrilleChaines::focusInEvent(QFocusEvent* e) {
    QTableView::focusInEvent(e);
    if (!perte_de_fenetre(e->reason())) emit entree();
}

void GrilleChaines::focusOutEvent(QFocusEvent* e) {
    QTableView::focusOutEvent(e);
    if (!perte_de_fenetre(e->reason()) && focus_parti()) emit sortie();
}

bool GrilleChaines::focus_parti() const {
    const QWidget* f = QApplication::focusWidget();
    return !f || (f != this && !isAncestorOf(f));
}

// --- PanneauCouleur ---

PanneauCouleur::PanneauCouleur(const QColor& couleur, QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    fixe_couleur(couleur);
}

void PanneauCouleur::fixe_couleur(const QColor& c) {
    couleur_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
    update();
}

void PanneauCouleur::mousePressEvent(QMouseEvent* e) {
    QFrame::mousePressEvent(e);
    if (e->button() == Qt::LeftButton) emit clic();
}

} // namespace vuv
