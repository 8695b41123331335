#include "windows/metafichier/emf.h"

#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/tiff/Bmp2Tiff.h"
#include "core/fichiers/EcritureSure.h"
#include "core/ui/PortUtilisateur.h"
#include "imaging/DecodageImage.h"
#include "imaging/EncodageImage.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/scroll.h"
#include "windows/principale/scroll_travail.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>

#include <cmath>
#include <functional>

namespace vuv {

namespace {

// A panel that reports clicks, as the program's panels do.
class PanneauCliquable : public QFrame {
public:
    PanneauCliquable(QWidget* parent, std::function<void()> clic) : QFrame(parent), clic_(std::move(clic)) {}

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) clic_();
    }

private:
    std::function<void()> clic_;
};

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, int x, int y, int l) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(x, y, l, 25);
    return b;
}

QLabel* etiquette(QWidget* parent, const QString& texte, int x, int y, int l) {
    auto* e = new QLabel(texte, parent);
    e->setGeometry(x, y, l, 20);
    return e;
}

// A conversion error as the run-time gives it; true when `texte` holds an integer.
bool entier(const QString& texte, int& valeur) {
    bool ok = false;
    valeur = texte.trimmed().toInt(&ok);
    if (!ok) port().erreur("'" + ss(texte) + "' n'est pas une valeur entière correcte");
    return ok;
}

// The path with its leading folders replaced by "..." until it fits `largeur` pixels.
QString chemin_raccourci(const QString& chemin, const QFontMetrics& fm, int largeur) {
    QString c = chemin;
    for (qsizetype barre = 0; fm.horizontalAdvance(c) > largeur;) {
        barre = chemin.indexOf(QLatin1Char('/'), barre + 1);
        if (barre < 0) break;
        c = QStringLiteral("...") + chemin.mid(barre);
    }
    return c;
}

QString avec_extension(const QString& nom, const QString& ext) {
    const QFileInfo f(nom);
    return f.dir().filePath(f.completeBaseName() + ext);
}

} // namespace

void ImageEmf::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (dessin && dessin->ok()) dessin->dessine(p, QRectF(rect()));
    else if (image && !image->isNull()) p.drawImage(rect(), *image);
}

TForm_emf::TForm_emf(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form_emf"));
    setWindowTitle(QStringLiteral("e m f"));
    resize(900, 640);
    construit();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move((s->geometry().width() - width()) / 2, (s->geometry().height() - height()) / 2);
}

void TForm_emf::construit() {
    SpeedButton3 = bouton(this, "SpeedButton3", QStringLiteral("1 ->  Ouvrir *.emf *.wmf *.bmp"), 8, 8, 220);
    Label6 = etiquette(this, QStringLiteral("2 -> couleur de fond"), 8, 40, 150);
    Label6->setObjectName(QStringLiteral("Label6"));
    Panel2 = new PanneauCliquable(this, [this] { Panel2Click(); });
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(160, 38, 68, 24);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setAutoFillBackground(true);
    Panel2->setToolTip(QStringLiteral("Clik pour changer éventuellement la couleur de fond"));
    Label6->setToolTip(Panel2->toolTip());
    QPalette pal = Panel2->palette();
    pal.setColor(QPalette::Window, Qt::white);
    Panel2->setPalette(pal);

    etiquette(this, QStringLiteral("Largeur approximative de la figure en cm"), 240, 8, 262);
    Edit2 = new QLineEdit(QStringLiteral("18"), this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(506, 8, 60, 22);
    etiquette(this, QStringLiteral("Résolution souhaitée en dpi"), 240, 34, 250);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->addItems({"76", "92", "150", "300", "600", "1000"});
    ComboBox1->setCurrentText(QStringLiteral("150"));
    ComboBox1->setGeometry(506, 34, 80, 22);
    etiquette(this, QStringLiteral("Largeur résultante en pixels - > "), 240, 60, 250);
    Edit4 = new QLineEdit(this);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Edit4->setGeometry(506, 60, 80, 22);
    etiquette(this, QStringLiteral("Largeur actuelle en pixxels"), 240, 86, 250);
    Edit5 = new QLineEdit(this);
    Edit5->setObjectName(QStringLiteral("Edit5"));
    Edit5->setGeometry(506, 86, 80, 22);

    SpeedButton6 = bouton(this, "SpeedButton6", QStringLiteral("3 -> appliquer"), 8, 70, 220);
    SpeedButton8 = bouton(this, "SpeedButton8", QStringLiteral("4 -> Enregistrer"), 8, 100, 220);
    SpeedButton2 = bouton(this, "SpeedButton2", QStringLiteral("5- Lecture test"), 8, 130, 220);
    SpeedButton1 = bouton(this, "SpeedButton1", QStringLiteral("Quitter"), 8, 160, 220);

    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(604, 4, 110, 104);
    RadioJpeg = new QRadioButton(QStringLiteral("jpeg"), RadioGroup1);
    RadioBmp = new QRadioButton(QStringLiteral("bmp"), RadioGroup1);
    RadioTif = new QRadioButton(QStringLiteral("tif"), RadioGroup1);
    RadioJpeg->setGeometry(10, 10, 90, 24);
    RadioBmp->setGeometry(10, 40, 90, 24);
    RadioTif->setGeometry(10, 70, 90, 24);
    RadioBmp->setChecked(true);

    Label1 = etiquette(this, QStringLiteral("nom"), 8, 192, 440);
    Label1->setObjectName(QStringLiteral("Label1"));
    Memo1 = new QPlainTextEdit(QStringLiteral("image de départ"), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 214, 440, 60);
    Memo2 = new QPlainTextEdit(QStringLiteral("bitmap"), this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setGeometry(456, 214, 436, 60);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(8, 282, 440, 350);
    Image1 = new ImageEmf(nullptr);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->resize(1, 1);
    ScrollBox1->setWidget(Image1);
    ScrollBox2 = new QScrollArea(this);
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
    ScrollBox2->setGeometry(456, 282, 436, 350);
    Image2 = new ImageEmf(nullptr);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->resize(1, 1);
    Image2->image = &resultat_;
    ScrollBox2->setWidget(Image2);

    connect(Edit2, &QLineEdit::textEdited, this, &TForm_emf::calc_res);
    connect(Edit2, &QLineEdit::editingFinished, this, &TForm_emf::calc_res);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm_emf::calc_res);
    connect(SpeedButton3, &QPushButton::clicked, this, &TForm_emf::SpeedButton3Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &TForm_emf::SpeedButton6Click);
    connect(SpeedButton8, &QPushButton::clicked, this, &TForm_emf::SpeedButton8Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TForm_emf::SpeedButton2Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm_emf::SpeedButton1Click);
}

void TForm_emf::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FormActivate();
}

void TForm_emf::FormActivate() {
    zoom_ = 100;
    calc_res();
    speed_gras(1);
    nom_choisi_.clear();
    nom_ecrit_.clear();
}

void TForm_emf::calc_res() {
    if (ComboBox1->currentText().isEmpty() || Edit2->text().isEmpty()) return;
    int dpi = 0, cm = 0;
    if (!entier(ComboBox1->currentText(), dpi) || !entier(Edit2->text(), cm)) return;
    cible_ = static_cast<int>(std::rint(cm / 2.54 * dpi));  // halves to even
    Edit4->setText(QString::number(cible_));
}

QWidget* TForm_emf::etape(int n) const {
    switch (n) {
    case 1: return SpeedButton3;
    case 2: return Label6;
    case 3: return SpeedButton6;
    case 4: return SpeedButton8;
    default: return SpeedButton2;
    }
}

void TForm_emf::speed_gras(int n) {
    etape_ = n;
    for (int i = 1; i <= 5; ++i) {
        QFont f = etape(i)->font();
        f.setBold(i == n);
        etape(i)->setFont(f);
    }
}

QColor TForm_emf::couleur_fond() const { return Panel2->palette().color(QPalette::Window); }

void TForm_emf::SpeedButton3Click() {
    DemandeFichier d;
    d.filtre = QStringLiteral("images *.emf, *.wmf, *.bmp|*.emf;*.wmf;*.bmp|toutes |*.emf;*.wmf;*.bmp;*.jpg;*.ico");
    const std::optional<QString> choisi = dialogues().ouvrir(d);
    if (!choisi) return;
    const QString ext = QFileInfo(*choisi).suffix().toLower();
    Sablier sablier;
    if (ext == QLatin1String("emf") || ext == QLatin1String("wmf")) {
        Metafichier m = Metafichier::charge(*choisi, limite_pixels());
        if (!m.ok()) {
            port().erreur(ss(m.message()));
            return;
        }
        dessin_ = std::move(m);
        bitmap_ = QImage();
        source_ = Source::metafichier;
    } else if (ext == QLatin1String("bmp") || ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
        ImageDecodee im = decode_image(*choisi);
        if (!im) {
            port().erreur(ss(im.message));
            return;
        }
        bitmap_ = std::move(im.image);
        dessin_ = Metafichier();
        source_ = ext == QLatin1String("bmp") ? Source::bitmap : Source::jpeg;
    } else if (ext == QLatin1String("ico")) {
        QImageReader lecteur(*choisi);
        QImage icone = lecteur.read();
        if (icone.isNull()) {
            port().erreur("Impossible de lire l'icône " + ss(*choisi) + " : " + ss(lecteur.errorString()));
            return;
        }
        bitmap_ = std::move(icone);
        dessin_ = Metafichier();
        source_ = Source::icone;
    } else {
        return;  // any other extension loads nothing
    }
    chemin_source_ = *choisi;
    affiche_1();
    speed_gras(2);
}

QSize TForm_emf::taille_source() const {
    if (source_ == Source::metafichier) return {dessin_.largeur(), dessin_.hauteur()};
    if (source_ == Source::aucune) return {};
    return bitmap_.size();
}

void TForm_emf::affiche_1() {
    const QSize t = taille_source();
    const QSize vue(t.width() * zoom_ / 100, t.height() * zoom_ / 100);
    Image1->dessin = source_ == Source::metafichier ? &dessin_ : nullptr;
    Image1->image = source_ == Source::metafichier ? nullptr : &bitmap_;
    Image1->resize(std::max(1, vue.width()), std::max(1, vue.height()));
    Image1->update();
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    Label1->setText(chemin_raccourci(chemin_source_, Label1->fontMetrics(), Label1->width() - 120) +
                    QStringLiteral("  LxH=%1x%2").arg(t.width()).arg(t.height()));
    QString memo = chemin_source_ + QStringLiteral("\npicture LxHxb=%1x%2\nimage   LxHxb=%3x%4")
                                         .arg(t.width()).arg(t.height()).arg(vue.width()).arg(vue.height());
    // What the drawing holds and is not drawn is said, never dropped in silence.
    if (source_ == Source::metafichier && !dessin_.non_dessines().isEmpty())
        memo += QStringLiteral("\nenregistrements non dessinés : ") + dessin_.non_dessines();
    Memo1->setPlainText(memo);
    Edit5->setText(QString::number(t.width()));
}

void TForm_emf::Panel2Click() {
    const std::optional<QColor> c = dialogues().couleur(couleur_fond(), false);
    if (c) {
        QPalette pal = Panel2->palette();
        pal.setColor(QPalette::Window, *c);
        Panel2->setPalette(pal);
    }
    speed_gras(3);
}

void TForm_emf::SpeedButton6Click() {
    if (ComboBox1->currentText().isEmpty() || Edit2->text().isEmpty()) return;
    if (source_ == Source::metafichier) {
        const int w = dessin_.largeur();
        if (w == 0) return;
        // A drawing 200 times wider than the target would round to zoom 0: an empty result.
        zoom_ = std::max(1, static_cast<int>(std::lround(static_cast<double>(cible_) / w * 100)));
        affiche_1();
    }
    speed_gras(3);
    affiche_2();
    speed_gras(4);
}

void TForm_emf::affiche_2() {
    if (source_ == Source::aucune) return;
    const QSize t = taille_source();
    const int l = std::max(1, t.width() * zoom_ / 100), h = std::max(1, t.height() * zoom_ / 100);
    if (static_cast<std::int64_t>(l) * h > limite_pixels()) {
        port().erreur("Impossible de créer une image de " + std::to_string(l) + " x " + std::to_string(h) +
                      " pixels : au-delà de la limite de " + std::to_string(limite_pixels() / 1000000) + " mégapixels");
        return;
    }
    Sablier sablier;
    QImage r = source_ == Source::metafichier
                   ? dessin_.rasterise(l, h, couleur_fond())
                   : bitmap_.scaled(l, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    if (r.isNull()) {
        port().erreur("Mémoire insuffisante pour une image de " + std::to_string(l) + " x " + std::to_string(h) + " pixels");
        return;
    }
    resultat_ = std::move(r);
    Image2->resize(l, h);
    Image2->update();
    ScrollBox2->horizontalScrollBar()->setValue(0);
    ScrollBox2->verticalScrollBar()->setValue(0);
    Memo2->setPlainText(chemin_source_ + QStringLiteral(" => Bitmap\npicture LxHxb=%1x%2\nimage   LxHxb=%3x%4")
                                             .arg(l).arg(h).arg(Image2->width()).arg(Image2->height()));
}

void TForm_emf::SpeedButton8Click() {
    const QString ext = RadioJpeg->isChecked() ? QStringLiteral(".jpg")
                        : RadioTif->isChecked() ? QStringLiteral(".tif")
                                                : QStringLiteral(".bmp");
    DemandeFichier d;
    d.titre = QStringLiteral("ENREGISTRER l'image BITMAP");
    d.filtre = QStringLiteral("Fichiers image (*.bmp;*.jpg;*.tif)|*.bmp;*.jpg;*.tif|Tous les fichiers (*.*)|*.*");
    d.index_filtre = 1;
    d.nom = chemin_source_.isEmpty() ? QString() : QFileInfo(chemin_source_).completeBaseName() + ext;
    d.doit_exister = false;
    const std::optional<QString> choisi = dialogues().enregistrer(d);
    if (choisi) {
        QString nom = *choisi;
        // Only the file's own name decides: a folder "plans.v2" has a dot of its own.
        if (!QFileInfo(nom).fileName().contains(QLatin1Char('.'))) nom += ext;
        Sablier sablier;
        QString message;
        QString ecrit = nom;
        if (resultat_.isNull()) {
            message = QStringLiteral("Impossible d'enregistrer %1 : l'image est vide, aucun pixel à enregistrer").arg(nom);
        } else if (RadioJpeg->isChecked()) {
            message = ecrit_jpeg(resultat_, nom, qualite_jpeg).message;
        } else if (RadioBmp->isChecked()) {
            message = ecrit_bmp(resultat_, nom).message;
        } else {
            ecrit = avec_extension(nom, QStringLiteral(".tif"));
            const QImage& r = resultat_;
            ImageTiff im;
            // Format_RGB32 is blue, green, red, unused in memory.
            im.pixels = VuePixels{const_cast<std::uint8_t*>(r.constBits()), r.width(), r.height(),
                                  static_cast<long>(r.bytesPerLine()), FormatPixels::rgb32};
            im.bits_par_pixel = 32;
            try {
                WriteTiffToFile(ss(ecrit), im);
            } catch (const ErreurFichier& e) {
                message = qs(e.what());
            }
        }
        if (message.isEmpty()) {
            nom_choisi_ = nom;
            nom_ecrit_ = ecrit;
        } else {
            port().erreur(ss(message));
        }
    }
    speed_gras(5);
}

void TForm_emf::SpeedButton2Click() {
    if (nom_ecrit_.isEmpty()) return;
    TForm1* f1 = fenetres().Form1;
    if (f1 && !demande_enregistrer(*f1)) return;
    if (TForm2* f2 = fenetres().Form2)
        f2->premiere_ligne_enregistre(qs(std::string(fichier_dernier_dossier)), qs(dossier_de(ss(nom_choisi_))));
    if (f1) {
        f1->SpeedButtonCartTablClick();
        f1->Ouvrir_fichier_image(nom_ecrit_);
    }
    speed_gras(1);
}

void TForm_emf::SpeedButton1Click() {
    // Through the main window, so that unsaved points are offered for saving first.
    if (TForm1* f1 = fenetres().Form1) f1->close();
}

void ouvre_conversion_emf() {
    if (TForm_emf* f = fenetres().Form_emf) {
        f->show();
        f->raise();
        f->activateWindow();
    }
}

} // namespace vuv
