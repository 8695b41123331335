// EMF and WMF files written by libUEMF, measured and drawn through our renderer.
#include "imaging/Metafichier.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <random>
#include <sys/resource.h>

using namespace vuv;

namespace {

constexpr std::int64_t cap = 400'000'000;

class Metafichiers : public ::testing::Test {
protected:
    QString genere(const QString& nom, const QString& arguments) {
        const QString c = dossier.filePath(nom);
        const QString commande = QStringLiteral("'%1' %2 '%3' %4").arg(GENERE_METAFICHIERS, nom.right(3), c, arguments);
        EXPECT_EQ(std::system(commande.toLocal8Bit().constData()), 0) << commande.toStdString();
        return c;
    }
    static QByteArray octets(const QString& c) {
        QFile f(c);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QTemporaryDir dossier;
};

// Red rectangle over the left half, blue ellipse in the lower right quarter, background elsewhere.
void verifie_dessin(const Metafichier& m, int l, int h) {
    const QImage im = m.rasterise(l, h, QColor(0, 255, 0));
    ASSERT_EQ(im.format(), QImage::Format_RGB32);
    EXPECT_EQ(im.pixel(l - 2, 1), qRgb(0, 255, 0));      // top right corner
    EXPECT_EQ(im.pixel(l / 4, h / 2), qRgb(255, 0, 0));  // inside the rectangle
    EXPECT_EQ(im.pixel(3 * l / 4, 3 * h / 4 + 5), qRgb(0, 0, 255));
    EXPECT_EQ(im.pixel(l - 2, h / 2 + 4), qRgb(0, 255, 0));  // beside the ellipse, off the diagonal
}

// Caps this process's address space a little above what it uses now, for one scope: a large
// reservation fails instead of succeeding on paper.
class LimiteMemoire {
public:
    explicit LimiteMemoire(rlim_t en_plus) {
        getrlimit(RLIMIT_AS, &avant_);
        QFile f(QStringLiteral("/proc/self/status"));
        if (!f.open(QIODevice::ReadOnly)) return;
        for (const QByteArray& ligne : f.readAll().split('\n'))
            if (ligne.startsWith("VmSize:")) {
                rlimit r = avant_;
                r.rlim_cur = ligne.mid(7).trimmed().split(' ').front().toULongLong() * 1024 + en_plus;
                pose_ = setrlimit(RLIMIT_AS, &r) == 0;
            }
    }
    ~LimiteMemoire() { setrlimit(RLIMIT_AS, &avant_); }
    LimiteMemoire(const LimiteMemoire&) = delete;
    LimiteMemoire& operator=(const LimiteMemoire&) = delete;
    bool posee() const { return pose_; }

private:
    rlimit avant_{};
    bool pose_ = false;
};

} // namespace

TEST_F(Metafichiers, WidthsAt96PixelsPerInch) {
    const Metafichier emf = Metafichier::charge(genere("a.emf", "32650 21167"), cap);
    ASSERT_TRUE(emf.ok()) << emf.message().toStdString();
    EXPECT_EQ(emf.largeur(), 1234);
    EXPECT_EQ(emf.hauteur(), 800);
    verifie_dessin(emf, 617, 400);

    const Metafichier wmf = Metafichier::charge(genere("b.wmf", "5760 4320 1440"), cap);
    ASSERT_TRUE(wmf.ok()) << wmf.message().toStdString();
    EXPECT_EQ(wmf.largeur(), 384);
    EXPECT_EQ(wmf.hauteur(), 288);
    verifie_dessin(wmf, 384, 288);

    EXPECT_EQ(Metafichier::charge(genere("c.wmf", "18510 4320 1440"), cap).largeur(), 1234);

    // Without a placeable header: its window, in twips, keeps the drawing's proportions.
    const Metafichier simple = Metafichier::charge(genere("d.wmf", "5760 4320 0"), cap);
    ASSERT_TRUE(simple.ok()) << simple.message().toStdString();
    EXPECT_EQ(simple.largeur(), 384);
    EXPECT_EQ(simple.hauteur(), 288);
    verifie_dessin(simple, 384, 288);
}

TEST_F(Metafichiers, HugeDrawingsAreRefusedBeforeAllocating) {
    const QString emf = genere("e.emf", "2645834 2645834");
    const Metafichier m = Metafichier::charge(emf, cap);
    EXPECT_FALSE(m.ok());
    EXPECT_EQ(m.message(), "Impossible de lire le dessin " + emf +
                               " : le dessin demande 100000 x 100000 pixels, au-delà de la limite de 400 mégapixels");
    const QString wmf = genere("f.wmf", "32767 32767 31");
    EXPECT_FALSE(Metafichier::charge(wmf, cap).ok());
}

// Cut, garbled or lying files give a message, never a crash.
TEST_F(Metafichiers, DamagedFiles) {
    std::mt19937 alea(17);
    for (const QString& c : {genere("g.emf", "32650 21167"), genere("h.wmf", "5760 4320 1440")}) {
        const QByteArray entier = octets(c);
        for (qsizetype n = 0; n < entier.size(); n += 16) {
            const Metafichier m = Metafichier::depuis_octets(entier.left(n), c, cap);
            if (!m.ok()) EXPECT_TRUE(m.message().startsWith("Impossible de lire le dessin " + c + " : "));
            else (void)m.rasterise(50, 40, Qt::white);
        }
        for (int essai = 0; essai < 50; ++essai) {
            QByteArray abime = entier;
            for (int k = 0; k < 8; ++k) abime[static_cast<qsizetype>(alea() % abime.size())] = static_cast<char>(alea());
            const Metafichier m = Metafichier::depuis_octets(abime, c, cap);
            if (m.ok()) (void)m.rasterise(50, 40, Qt::white);
        }
    }
    QByteArray emf = octets(genere("i.emf", "32650 21167"));
    QByteArray trop_long = emf;
    const int second = static_cast<unsigned char>(emf[4]) | static_cast<unsigned char>(emf[5]) << 8;
    trop_long[second + 7] = '\x7F';  // the second record claims more bytes than the file holds
    EXPECT_FALSE(Metafichier::depuis_octets(trop_long, "x.emf", cap).ok());
    QByteArray aleatoire(300, '\0');
    for (auto& o : aleatoire) o = static_cast<char>(alea());
    EXPECT_FALSE(Metafichier::depuis_octets(aleatoire, "y.emf", cap).ok());

    const Metafichier vide = Metafichier::charge(genere("j.emf", "0 21167"), cap);
    EXPECT_EQ(vide.largeur(), 0);
}

TEST_F(Metafichiers, WmfWhoseHeaderClaimsAGiantRecordDrawsWithoutReservingIt) {
    // Found by fuzzing: a 105-byte file made libwmf reserve 2 GB for its largest record.
    QByteArray wmf = octets(genere("j.wmf", "5760 4320 1440"));
    const QByteArray deux_go("\x00\x00\x00\x40", 4);  // words, after the 22-byte placeable header
    wmf.replace(22 + 12, 4, deux_go);
    const LimiteMemoire limite(std::size_t{512} << 20);
    ASSERT_TRUE(limite.posee());
    const Metafichier m = Metafichier::depuis_octets(wmf, "j.wmf", cap);
    ASSERT_TRUE(m.ok()) << m.message().toStdString();
    EXPECT_EQ(m.largeur(), 384);
    verifie_dessin(m, 384, 288);
}

TEST_F(Metafichiers, EmfWhoseHeaderDescriptionLiesOutsideTheHeaderDrawsAsUsual) {
    // Found by fuzzing: libemf2svg read the description wherever its offset pointed.
    const QByteArray emf = octets(genere("k.emf", "32650 21167"));
    for (const char* longueur : {"\x05\x00\x00\x00", "\x00\x00\x00\x00"}) {
        QByteArray abime = emf;
        abime.replace(60, 4, QByteArray(longueur, 4));            // nDescription, in UTF-16 units
        abime.replace(64, 4, QByteArray("\xF0\xFF\xFF\x7F", 4));  // offDescription, 2 GB on
        const Metafichier m = Metafichier::depuis_octets(abime, "k.emf", cap);
        ASSERT_TRUE(m.ok()) << m.message().toStdString();
        EXPECT_EQ(m.largeur(), 1234);
        verifie_dessin(m, 617, 400);
    }
}

namespace {

// Metafiles written byte by byte: a frame of 100 × 100 device pixels (EMF) or 1440 units at
// 1440 per inch (placeable WMF), the records `corps` adds, then the end.
class Octets {
public:
    Octets& u8(int v) { o.push_back(static_cast<char>(v)); return *this; }
    Octets& u16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Octets& u32(std::uint32_t v) { return u16(static_cast<int>(v & 0xFFFF)).u16(static_cast<int>(v >> 16)); }
    // An EMF record of type `t` holding the 32-bit values `v`.
    Octets& emr(std::uint32_t t, std::initializer_list<std::uint32_t> v) {
        ++enregistrements;
        u32(t).u32(static_cast<std::uint32_t>(8 + 4 * v.size()));
        for (const std::uint32_t x : v) u32(x);
        return *this;
    }
    // A WMF record of function `f` holding the 16-bit words `v`.
    Octets& wmr(int f, std::initializer_list<int> v) {
        u32(static_cast<std::uint32_t>(3 + v.size())).u16(f);
        for (const int x : v) u16(x);
        return *this;
    }
    // A 32-bit field set once the file is written.
    void pose32(qsizetype i, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) o[i + k] = static_cast<char>(v >> (8 * k));
    }
    QByteArray o;
    std::uint32_t enregistrements = 0;
};

QByteArray emf(const std::function<void(Octets&)>& corps, bool carre = true) {
    Octets b;
    b.emr(1, {0, 0, 99, 99, 0, 0, 2500, 2500, 0x464D4520u, 0x10000u, 0, 0, 0, 0, 0, 0, 100, 100, 25, 25});
    b.emr(39, {1, 0, 0xBE50A0, 0}).emr(37, {1});  // a purple brush, over the frame when `carre`
    if (carre) b.emr(43, {0, 0, 100, 100});
    corps(b);
    b.emr(14, {0, 16, 20});
    b.pose32(48, static_cast<std::uint32_t>(b.o.size()));  // nBytes, nRecords
    b.pose32(52, b.enregistrements);
    return b.o;
}

QByteArray wmf(const std::function<void(Octets&)>& corps, bool placable = true, bool carre = true) {
    Octets b;
    if (placable) b.u32(0x9AC6CDD7u).u16(0).u16(0).u16(0).u16(1440).u16(1440).u16(1440).u32(0).u16(0);
    b.u16(1).u16(9).u16(0x300).u32(0).u16(4).u32(0).u16(0);
    b.wmr(0x02FC, {0, 0x50A0, 0xBE, 0}).wmr(0x012D, {0});  // a purple square over the frame
    if (placable && carre) b.wmr(0x041B, {1440, 1440, 0, 0});
    corps(b);
    b.wmr(0, {});
    const qsizetype debut = placable ? 22 : 0;
    b.pose32(debut + 6, static_cast<std::uint32_t>((b.o.size() - debut) / 2));  // words
    b.pose32(debut + 12, 64);  // the largest record's words, for the well-formed ones
    return b.o;
}

struct Abime {
    const char* nom;
    QByteArray octets;
    const char* attendu;  // the records named as not drawn, or "!" + the refusal's reason
};

} // namespace

// Lying counts, sizes and offsets: the file is refused with its name, or the record is
// skipped and named; never a read outside the file. The rest is drawn.
TEST(MetafichiersAbimes, RefusedOrSkippedAndNamed) {
    const Abime cas[] = {
        {"emf coupé", emf([](Octets&) {}).left(140), "!fichier endommagé"},
        {"emf taille au-delà", emf([](Octets& b) { b.u32(43).u32(0x7FFFFFF0u).u32(0); }), "!fichier endommagé"},
        {"emf compte débordant", emf([](Octets& b) { b.emr(86, {0, 0, 9, 9, 0x40000001u, 0}); }), "EMR_POLYGON16 (1)"},
        {"emf pile sans fond",
         emf([](Octets& b) {
             for (int k = 0; k < 5000; ++k) b.emr(33, {});
             b.emr(34, {static_cast<std::uint32_t>(-9000)});
         }),
         "EMR_RESTOREDC (1), EMR_SAVEDC (904)"},
        {"emf bitmap plus grand que le fichier",
         emf([](Octets& b) {
             b.emr(81, {0, 0, 9, 9, 0, 0, 0, 0, 3000, 3000, 80, 40, 120, 16, 0, 0xCC0020, 10, 10,
                        40, 3000, 3000, 0x180001, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
         }),
         "enregistrement endommagé (1)"},
        {"emf police sans fin de nom",
         emf([](Octets& b) {
             b.u32(82).u32(12 + 92).u32(2).u32(static_cast<std::uint32_t>(-20)).u32(0).u32(0).u32(0).u32(400).u32(0).u32(0);
             for (int k = 0; k < 32; ++k) b.u16('A');
             b.emr(37, {2}).emr(84, {0, 0, 0, 0, 1, 0, 0, 10, 10, 1, 76, 0, 0, 0, 0, 0, 0, 0x41});
         }),
         ""},
        {"wmf taille au-delà", wmf([](Octets& b) { b.u32(0x10000).u16(0x041B); }), "!fichier endommagé"},
        {"wmf polygone débordant", wmf([](Octets& b) { b.wmr(0x0324, {5000, 0, 0, 10, 10}); }), "WMR_POLYGON (1)"},
        {"wmf pile sans fond",
         wmf([](Octets& b) { b.wmr(0x0127, {-3}); }),
         "WMR_RESTOREDC (1)"},
        {"wmf bitmap plus grand que le fichier",
         wmf([](Octets& b) {
             b.wmr(0x0F43, {0x20, 0xCC, 0, 2000, 2000, 0, 0, 100, 100, 0, 0,
                            40, 0, 2000, 0, 2000, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
         }),
         "WMR_STRETCHDIB (1)"},
        {"wmf police sans fin de nom",
         wmf([](Octets& b) {
             b.u32(3 + 9 + 4).u16(0x02FB).u16(-200).u16(0).u16(0).u16(0).u16(400).u16(0).u16(0).u16(0).u16(0);
             b.u16(0x4141).u16(0x4141).u16(0x4141).u16(0x4141);  // a name up to the record's end
             b.wmr(0x012D, {1}).wmr(0x0521, {2, 0x4141, 100, 100});
         }),
         ""},
    };
    for (const Abime& c : cas) {
        SCOPED_TRACE(c.nom);
        // Exactly the file's bytes, so that a read past them is the sanitizer's to catch.
        const QByteArray octets(c.octets.constData(), c.octets.size());
        const Metafichier m = Metafichier::depuis_octets(octets, "d.emf", cap);
        if (c.attendu[0] == '!') {
            EXPECT_FALSE(m.ok());
            EXPECT_EQ(m.message(), QStringLiteral("Impossible de lire le dessin d.emf : ") + (c.attendu + 1));
            continue;
        }
        ASSERT_TRUE(m.ok()) << m.message().toStdString();
        EXPECT_EQ(m.non_dessines().toStdString(), c.attendu);
        EXPECT_EQ(m.largeur(), c.nom[0] == 'e' ? 94 : 96);
        const QImage im = m.rasterise(m.largeur(), m.hauteur(), Qt::white);
        EXPECT_EQ(im.pixel(im.width() / 2, im.height() / 2) & 0xFFFFFF, qRgb(160, 80, 190) & 0xFFFFFF);
    }
}

// Neither a placeable header nor a window: what it draws gives the frame, in pixels.
TEST(MetafichiersWmf, WithoutFrameOrWindowKeepsTheProportionsOfWhatItDraws) {
    const Metafichier m = Metafichier::depuis_octets(wmf([](Octets& b) { b.wmr(0x041B, {150, 300, 0, 0}); }, false), "s.wmf", cap);
    ASSERT_TRUE(m.ok()) << m.message().toStdString();
    EXPECT_EQ(m.largeur(), 300);
    EXPECT_EQ(m.hauteur(), 150);
}

namespace {

std::uint32_t xy(int x, int y) { return static_cast<std::uint32_t>(x & 0xFFFF) | static_cast<std::uint32_t>(y) << 16; }
constexpr std::uint32_t quatre = 0x40800000u;  // 4.0f
constexpr QRgb blanc = 0xFFFFFFFF, violet = 0xFFA050BE, rouge = 0xFFFF0000, noir = 0xFF000000;

struct Sonde {
    int x, y;
    QRgb couleur;
};

struct Dessin {
    const char* nom;
    QByteArray octets;
    std::vector<Sonde> sondes;
};

} // namespace

// Small drawings, one behaviour each, looked at where the answer is not antialiased.
TEST(MetafichiersDessines, StateAndShapesAsTheFileSays) {
    const Dessin cas[] = {
        {"le contexte restauré oublie la transformation d'une image",
         emf([](Octets& b) {
             b.emr(33, {}).emr(35, {quatre, 0, 0, quatre, 0, 0});
             b.emr(81, {0, 0, 20, 20, 0, 0, 0, 0, 1, 1, 80, 40, 120, 4, 0, 0xCC0020, 5, 5,
                        40, 1, 1, 0x180001, 0, 4, 0, 0, 0, 0, 0x00FF0000});
             b.emr(34, {static_cast<std::uint32_t>(-1)}).emr(37, {0x80000008u}).emr(43, {60, 60, 90, 90});
         }, false),
         {{10, 10, rouge}, {75, 75, violet}, {40, 40, blanc}}},
        {"un chemin ouvert reste ouvert",
         emf([](Octets& b) {
             b.emr(38, {2, 0, 3, 0, 0}).emr(37, {2}).emr(59, {}).emr(27, {10, 10}).emr(54, {90, 10}).emr(54, {90, 90});
             b.emr(60, {}).emr(64, {0, 0, 100, 100});
         }, false),
         {{50, 10, noir}, {90, 50, noir}, {50, 50, blanc}}},
        {"pair-impair : le trou reste vide",
         emf([](Octets& b) {
             b.emr(19, {1}).emr(37, {0x80000008u});
             b.emr(91, {0, 0, 100, 100, 2, 8, 4, 4, xy(10, 10), xy(90, 10), xy(90, 90), xy(10, 90),
                        xy(40, 40), xy(60, 40), xy(60, 60), xy(40, 60)});
         }, false),
         {{20, 20, violet}, {50, 50, blanc}}},
        {"enroulement : le trou de même sens est rempli",
         emf([](Octets& b) {
             b.emr(19, {2}).emr(37, {0x80000008u});
             b.emr(91, {0, 0, 100, 100, 2, 8, 4, 4, xy(10, 10), xy(90, 10), xy(90, 90), xy(10, 90),
                        xy(40, 40), xy(60, 40), xy(60, 60), xy(40, 60)});
         }, false),
         {{20, 20, violet}, {50, 50, violet}}},
        {"tirets de l'utilisateur",
         emf([](Octets& b) {
             b.emr(95, {3, 0, 0, 0, 0, 0x10207, 4, 0, 0, 0, 2, 10, 5}).emr(37, {3});
             b.emr(27, {0, 50}).emr(54, {100, 50});
         }, false),
         {{5, 50, noir}, {12, 50, blanc}, {20, 50, noir}}},
        {"centièmes de millimètre, y vers le haut",
         emf([](Octets& b) { b.emr(17, {3}).emr(37, {0x80000008u}).emr(43, {0, 0, 1250, static_cast<std::uint32_t>(-1250)}); }, false),
         {{25, 25, violet}, {75, 75, blanc}}},
        {"découpe par un rectangle",
         emf([](Octets& b) { b.emr(30, {0, 0, 50, 100}).emr(37, {0x80000008u}).emr(43, {0, 0, 100, 100}); }, false),
         {{25, 50, violet}, {75, 50, blanc}}},
        {"wmf plaçable : le cadre de l'en-tête, non l'étendue du dessin",
         wmf([](Octets& b) { b.wmr(0x012D, {0}).wmr(0x041B, {1440, 1440, 720, 720}); }, true, false),
         {{75, 75, violet}, {24, 24, blanc}}},
    };
    for (const Dessin& c : cas) {
        SCOPED_TRACE(c.nom);
        const Metafichier m = Metafichier::depuis_octets(c.octets, "s.emf", cap);
        ASSERT_TRUE(m.ok()) << m.message().toStdString();
        EXPECT_EQ(m.non_dessines().toStdString(), "");
        const QImage im = m.rasterise(100, 100, Qt::white);
        for (const Sonde& s : c.sondes) EXPECT_EQ(im.pixel(s.x, s.y), s.couleur) << s.x << "," << s.y;
    }
}
