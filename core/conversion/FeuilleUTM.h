#pragma once
// The conversion window's worksheet: a 14-column table of positions converted row by row
// between UTM, decimal degrees, degree-minute-second texts and the spherical x/y.
//
// A row whose cells do not qualify for a conversion is skipped. A row that qualifies but holds
// an unreadable or out-of-range value (|latitude| > 90, |longitude| > 180, zone outside 1..60)
// is left untouched and reported once per run in the Bilan, never read as 0. Decimal to angle
// text alone works cell by cell: a bad decimal empties its angle, the other one is converted.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Grille;

constexpr int feuille_colonnes = 14;
constexpr int feuille_lignes = 101;
// A paste or an import never makes the table longer than this many rows.
constexpr int feuille_lignes_max = 2'000'000;

// Columns found by their header text, once (the last column of that header wins).
struct ColonnesFeuille {
    int lib, est, nord, zone, lettre, hemi, ellipsoide, lat, lon, dlat, dlon, x, y;
};
ColonnesFeuille colonnes_feuille(const Grille& g);

// Headers, widths, row numbers "1".."100" and the sample rows of a new sheet.
void prepare_feuille(Grille& g);

enum class Calcul {
    AnglesVersDecimal,  // °latitude/°longitude -> Latitude/Longitude
    DecimalVersAngles,  // Latitude/Longitude -> °latitude/°longitude
    XY,                 // the spherical x/y (after DecimalVersAngles)
    AnglesVersUTM,      // every row with an angle
    AnglesVersUTMVides, // only rows whose Est and Nord are empty
    UTMVersLatLon,
};

struct ValeurRefusee {
    int ligne;
    std::string colonne; // trimmed header
    std::string texte;
};
struct Bilan {
    long refusees = 0;                  // rows left untouched for a bad value
    long videes = 0;                    // decimal cells not converted: their angle emptied
    std::vector<ValeurRefusee> premieres; // the first ten of both
    long traitees = 0;                  // rows gone through (all of them unless cancelled)
    bool annule = false;
};

// Told every few thousand rows; returning false stops after the current row.
using Avancement = std::function<bool(long fait, long total)>;

// Ra and Rb (km) serve the spherical x/y. Each row is done completely or not at all, so a
// cancelled run leaves every row either converted or as it was.
Bilan calcule(Grille& g, const ColonnesFeuille& c, Calcul calcul, long double Ra, long double Rb,
              const Avancement& avancement = {});

// The one French message of a run; empty when no value was refused.
std::string message_bilan(const Bilan& b);

// Rows at most this long are done without a progress bar.
constexpr long lignes_sans_avancement = 10'000;

// Every row, header included: each cell followed by a Tab, the Est and Nord cells of the data
// rows without their blanks, CR LF after each row.
std::string texte_export(const Grille& g);

// The export of "Presse papier": asks, writes "UTMpresse_papier.txt" in the program folder
// through the safe write and puts the same text on the clipboard, also when the file could not
// be written (then said, naming the file).
void exporte_feuille(const Grille& g);

// Lines "Lib;..;..;Nord;Est;" (Tab when the line holds one): rows 1, 2... get Libellé, Est, Nord,
// Zone "37", Hémisphère "N" and "WGS 84"; the table is cut to the rows read. Gives their count.
long importe_texte(Grille& g, const ColonnesFeuille& c, std::string_view texte);

// A worksheet's cells by row then column (0-based) as texts; "???" for a cell not read.
using Cellules = std::vector<std::vector<std::string>>;
// Tab-separated lines as cells: the ".txt" form of the two spreadsheet layouts.
Cellules cellules_tabulees(std::string_view texte);
// UTM layout: zone, ellipsoid and hemisphere in the second column of rows 1 to 3, then Libellé,
// Est, Nord from row 4 on, until an empty Libellé or after row 1001. Replaces the table's rows;
// gives their count.
long importe_classeur_utm(Grille& g, const ColonnesFeuille& c, const Cellules& cellules);
// Latitude/longitude layout: a header row, then Nom, latitude, longitude ("N", "S", "E", "O"
// standing for the sign), until an empty Nom or after 1001 rows.
long importe_classeur_latlon(Grille& g, const ColonnesFeuille& c, const Cellules& cellules);

// The example workbook "<nom>.xls" of the program folder, copied from its template `modele`
// (shipped with the program, found by the caller); an existing one is replaced only when the
// user agrees. Gives its path, or "" when not made.
std::string prepare_exemple(std::string_view nom, const std::string& modele);

// Tab-separated rows laid from (col, row) on, the table growing as needed. Refused, leaving
// the table as it was, when it would pass feuille_lignes_max rows: gives the French message.
std::string colle(Grille& g, int col, int row, std::string_view texte);

// The cell (col, row) written into every row below it.
void recopie_vers_le_bas(Grille& g, int col, int row);
// Rows 1.. and columns 1.. emptied; headers and row numbers stay.
void efface_feuille(Grille& g);

// The reference text: one position in several systems, the central meridians, the bands and
// the ellipsoids.
std::string texte_aide();

// Delphi's "%<w>.<d>n": grouped thousands, d decimals, left-padded with spaces to w characters.
std::string format_n(long double v, int largeur, int decimales);

} // namespace vuv
