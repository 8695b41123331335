#!/usr/bin/python3
# Writes the workbooks of the reading tests with an office suite: flat-XML sources made here are
# saved by LibreOffice (headless) as .xls, .xlsx and .ods, and their first sheet exported as CSV
# by LibreOffice too. Run it from this folder (--sans-tableur: only the files written without
# LibreOffice); the suite then needs neither program.
import os
import subprocess
import sys
import tempfile
import zipfile
from xml.sax.saxutils import escape

ICI = os.path.dirname(os.path.abspath(__file__))
CSV = "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true"

ENTETE = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
 <number:date-style style:name="N1"><number:day number:style="long"/><number:text>/</number:text>
  <number:month number:style="long"/><number:text>/</number:text><number:year number:style="long"/></number:date-style>
 <style:style style:name="date" style:family="table-cell" style:data-style-name="N1"/>
</office:automatic-styles>
<office:body><office:spreadsheet>
"""
PIED = "</office:spreadsheet></office:body></office:document>\n"


def cellule(v):
    """A cell from a Python value: str text, int/float number, ('=', formula[, 'date']), ('date', iso),
    None."""
    if v is None:
        return "<table:table-cell/>"
    if isinstance(v, tuple) and v[0] == "=":
        style = ' table:style-name="date"' if v[2:] == ("date",) else ""
        return '<table:table-cell%s table:formula="of:=%s"/>' % (style, escape(v[1], {'"': "&quot;"}))
    if isinstance(v, tuple) and v[0] == "date":
        return ('<table:table-cell table:style-name="date" office:value-type="date" '
                'office:date-value="%s"/>' % v[1])
    if isinstance(v, (int, float)):
        return '<table:table-cell office:value-type="float" office:value="%r"/>' % v
    return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % escape(v)


def feuille(nom, lignes):
    corps = "".join("<table:table-row>%s</table:table-row>\n" % "".join(cellule(v) for v in l) for l in lignes)
    return '<table:table table:name="%s">\n%s</table:table>\n' % (escape(nom), corps)


def convertit(source, format_, dossier):
    # A profile of its own, so that another running suite does not take the conversion.
    profil = "-env:UserInstallation=file://" + os.path.join(tempfile.gettempdir(), "fabrique_classeurs")
    subprocess.run(["soffice", profil, "--headless", "--calc", "--convert-to", format_, "--outdir", dossier,
                    source], check=True, stdout=subprocess.DEVNULL)


def classeur(nom, feuilles, formats):
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, nom + ".fods")
        with open(source, "w", encoding="utf-8") as f:
            f.write(ENTETE + "".join(feuille(n, l) for n, l in feuilles) + PIED)
        references = []
        for ext in formats:
            convertit(source, ext, ICI)
            # The CSV of each saved file, so that every one is known to hold the same cells.
            sortie = os.path.join(tmp, ext)
            os.makedirs(sortie)
            convertit(os.path.join(ICI, nom + "." + ext), CSV, sortie)
            with open(os.path.join(sortie, nom + ".csv"), encoding="utf-8") as f:
                references.append(f.read())
        # Its .xls keeps a boolean as the number it is stored as.
        if len({r.replace("TRUE", "1").replace("FALSE", "0") for r in references}) != 1:
            sys.exit(nom + ": the saved formats give different CSV")
        with open(os.path.join(ICI, nom + ".csv"), "w", encoding="utf-8", newline="") as f:
            f.write(references[-1])


def sans_resultat():
    """Formulas saved without their result, as libraries write them (python3-openpyxl, -odf)."""
    import openpyxl
    from odf.opendocument import OpenDocumentSpreadsheet
    from odf.table import Table, TableRow, TableCell
    wb = openpyxl.Workbook()
    wb.active.append(["X", "Y"])
    wb.active.append([1.5, "=A2*2"])
    wb.save("sans_resultat.xlsx")
    doc = OpenDocumentSpreadsheet()
    t = Table(name="f")
    for cellules in (["X", "Y", "Z"], [1.5, 2, "of:=[.A2]*2"]):
        r = TableRow()
        for v in cellules:
            if isinstance(v, str) and v.startswith("of:"):
                r.addElement(TableCell(formula=v))
            elif isinstance(v, str):
                c = TableCell(valuetype="string")
                from odf.text import P
                c.addElement(P(text=v))
                r.addElement(c)
            else:
                r.addElement(TableCell(valuetype="float", value=v))
        t.addElement(r)
    doc.spreadsheet.addElement(t)
    doc.save("sans_resultat.ods")
    # A sheet cut in the middle of its XML, in an archive that is whole.
    with zipfile.ZipFile("formules.xlsx") as source, zipfile.ZipFile("endommage.xlsx", "w") as copie:
        for nom in source.namelist():
            octets = source.read(nom)
            copie.writestr(nom, octets[: len(octets) // 2] if nom == "xl/worksheets/sheet1.xml" else octets)


PTS = ["P1", "P2", "P3", "P4", "P5"]
XS = [100.5, 250, 300.25, 410, 555.75]

formules = [("Nom", "X", "Y", "Z", "Étiquette", "Loin", "Vide", "Jour")]
for i, (p, x) in enumerate(zip(PTS, XS), start=2):
    formules.append((p, x, ("=", "[.B%d]*2+10" % i), ("=", "ROUND([.B%d]/3;2)" % i),
                     ("=", '"Point n°"&ROW()&" – "&[.A%d]' % i), ("=", "[.B%d]>300" % i),
                     ("=", 'IF([.B%d]>1000;"x";"")' % i), ("=", "DATE(2024;2;27)+ROW()", "date")))
formules.append(("Somme", ("=", "SUM([.B2:.B6])"), ("=", "AVERAGE([.C2:.C6])"), None, None,
                 ("=", "AND([.F2];[.F6])"), ("=", "DATE(2024;2;29)-DATE(2024;1;1)")))

divers = [
    ("Relevé du 7 décembre", None, None, "Date", "Valeur"),
    ("Église Saint-Étienne", -12.5, "007", ("date", "2024-02-29"), 0.1),
    ("Noël à l’Haÿ-les-Roses", 1234567.891, None, ("date", "1999-12-31"), 42),
    (),
    ("Ærø € ½ «guillemets»", 0, "x;y,z \"cité\"", ("date", "2099-01-01"), -0.001),
    (None, None, None, None, None, None, None, None, None, "loin à droite"),
]

# The conversion window's UTM layout, the second point computed from the first.
utm = [("Zone", 32), ("Ellipsoide", "WGS84"), ("Hémisphère", "N"), ("Strasbourg", 406864, 5383757),
       ("Kehl", ("=", "[.B4]+3136"), ("=", "[.C4]-757"))]

grand = [(i, ("=", "[.A%d]/4" % i)) for i in range(1, 65537)]

if __name__ == "__main__":
    os.chdir(ICI)
    if "--sans-tableur" not in sys.argv:
        classeur("formules", [("points", formules), ("notes", [("autre feuille", 1)])], ["xls", "xlsx", "ods"])
        classeur("divers", [("relevé", divers), ("vide", []), ("autre", [(999,)])], ["xls", "xlsx", "ods"])
        classeur("utm", [("utm", utm)], ["xls", "xlsx", "ods"])
        classeur("grand", [("grand", grand)], ["xls"])
    sans_resultat()
