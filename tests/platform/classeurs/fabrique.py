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


def archive(nom, parties):
    with zipfile.ZipFile(nom, "w", zipfile.ZIP_DEFLATED) as z:
        for partie, texte in parties:
            z.writestr(partie, texte)


XLSX_NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
XLSX_R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'


def particularites_xlsx():
    """An .xlsx as other writers make them: the first sheet is not sheet1, the 1904 date system,
    rich and phonetic runs, inline strings, cells without their name, booleans and errors."""
    types = ('<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
             '<Default Extension="xml" ContentType="application/xml"/>'
             '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.'
             'spreadsheetml.sheet.main+xml"/>'
             '<Override PartName="/xl/feuilles/a.xml" ContentType="application/vnd.openxmlformats-officedocument.'
             'spreadsheetml.worksheet+xml"/>'
             '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-'
             'officedocument.spreadsheetml.worksheet+xml"/>'
             '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-'
             'officedocument.spreadsheetml.sharedStrings+xml"/>'
             '<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.'
             'spreadsheetml.styles+xml"/></Types>')
    rels = ('<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
            'officeDocument" Target="xl/workbook.xml"/></Relationships>')
    relations = ('<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
                 'relationships">' + "".join(
                     '<Relationship Id="%s" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
                     '%s" Target="%s"/>' % r for r in [
                         ("rId1", "worksheet", "worksheets/sheet1.xml"), ("rId7", "worksheet", "/xl/feuilles/a.xml"),
                         ("rId3", "sharedStrings", "sharedStrings.xml"), ("rId4", "styles", "styles.xml")])
                 + "</Relationships>")
    classeur = ('<?xml version="1.0"?><workbook %s %s><workbookPr date1904="1"/><sheets>'
                '<sheet name="première" sheetId="2" r:id="rId7"/><sheet name="seconde" sheetId="1" r:id="rId1"/>'
                '</sheets></workbook>' % (XLSX_NS, XLSX_R))
    partages = ('<?xml version="1.0"?><sst %s count="3" uniqueCount="3"><si><t>Libellé</t></si>'
                '<si><r><rPr><b/></rPr><t>Gras</t></r><r><t xml:space="preserve"> et maigre</t></r></si>'
                '<si><t>東京</t><rPh sb="0" eb="2"><t>トウキョウ</t></rPh></si></sst>' % XLSX_NS)
    styles = ('<?xml version="1.0"?><styleSheet %s><numFmts count="3">'
              '<numFmt numFmtId="164" formatCode="dd/mm/yyyy"/>'
              '<numFmt numFmtId="165" formatCode="dd/mm/yyyy\ hh:mm:ss"/>'
              '<numFmt numFmtId="166" formatCode="hh:mm:ss"/></numFmts>'
              '<fonts count="1"><font><sz val="10"/><name val="Arial"/></font></fonts>'
              '<fills count="1"><fill><patternFill patternType="none"/></fill></fills>'
              '<borders count="1"><border/></borders>'
              '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
              '<cellXfs count="4"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>'
              '<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
              '<xf numFmtId="165" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
              '<xf numFmtId="166" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/></cellXfs>'
              '</styleSheet>' % XLSX_NS)
    lignes = [
        '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c></row>',
        # Cells without their name follow each other; the row without its number follows the last.
        '<row><c t="inlineStr"><is><r><t>en </t></r><r><t>ligne</t></r></is></c><c><v>-0.5</v></c>'
        '<c t="b"><v>1</v></c><c t="e"><f>1/0</f><v>#DIV/0!</v></c></row>',
        # Day 0 of the 1904 system, a day and a time, a time alone.
        '<row r="4"><c r="A4" s="1"><v>0</v></c><c r="B4" s="2"><v>43889.75</v></c><c r="C4" s="3"><v>0.5</v></c>'
        '<c r="E4"><v>12345678901</v></c></row>',
    ]
    feuille = ('<?xml version="1.0"?><worksheet %s><sheetData>%s</sheetData></worksheet>' % (XLSX_NS, "".join(lignes)))
    seconde = ('<?xml version="1.0"?><worksheet %s><sheetData><row r="1"><c r="A1"><v>999</v></c></row>'
               '</sheetData></worksheet>' % XLSX_NS)
    archive("particularites.xlsx", [("[Content_Types].xml", types), ("_rels/.rels", rels),
                                    ("xl/workbook.xml", classeur), ("xl/_rels/workbook.xml.rels", relations),
                                    ("xl/sharedStrings.xml", partages), ("xl/styles.xml", styles),
                                    ("xl/feuilles/a.xml", feuille), ("xl/worksheets/sheet1.xml", seconde)])


def particularites_ods():
    """An .ods with what its writers may use: repeated rows and cells, header rows, runs of spaces
    and several paragraphs in a text, a comment, covered cells, times."""
    ns = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" '
          'xmlns:dc="http://purl.org/dc/elements/1.1/"')
    styles = ('<office:automatic-styles><number:time-style style:name="N2"><number:hours number:style="long"/>'
              '<number:text>:</number:text><number:minutes number:style="long"/><number:text>:</number:text>'
              '<number:seconds number:style="long"/></number:time-style>'
              '<style:style style:name="heure" style:family="table-cell" style:data-style-name="N2"/>'
              '</office:automatic-styles>')
    f = '<table:table-cell office:value-type="float" office:value="%s"%s/>'
    t = '<table:table-cell office:value-type="string"%s>%s</table:table-cell>'
    table = (
        '<table:table table:name="première"><table:table-column table:number-columns-repeated="6"/>'
        '<table:table-header-rows><table:table-row>' + t % ("", "<text:p>Titre</text:p>") +
        '</table:table-row></table:table-header-rows>'
        '<table:table-row table:number-rows-repeated="3">' + f % ("1.5", ' table:number-columns-repeated="2"') +
        '<table:table-cell table:number-columns-repeated="2"/>' + f % ("7", "") + '</table:table-row>'
        '<table:table-row table:number-rows-repeated="2"><table:table-cell table:number-columns-repeated="6"/>'
        '</table:table-row>'
        '<table:table-row>' +
        t % ("", '<text:p>a<text:s text:c="3"/>b</text:p><text:p>second '
                 '<text:span>paragraphe</text:span></text:p>') +
        t % ("", '<office:annotation><dc:creator>X</dc:creator><text:p>note cachée</text:p></office:annotation>'
                 '<text:p>visible</text:p>') +
        '<table:table-cell table:number-columns-spanned="2" office:value-type="float" office:value="3">'
        '<text:p>3</text:p></table:table-cell><table:covered-table-cell/>' +
        '<table:table-cell table:style-name="heure" office:value-type="time" office:time-value="PT13H45M07S"/>' +
        '<table:table-cell office:value-type="boolean" office:boolean-value="false"/>' +
        '</table:table-row>'
        '<table:table-row table:number-rows-repeated="1048560"><table:table-cell '
        'table:number-columns-repeated="1024"/></table:table-row></table:table>'
        '<table:table table:name="seconde"><table:table-row>' + f % ("999", "") + '</table:table-row></table:table>')
    contenu = ('<?xml version="1.0" encoding="UTF-8"?><office:document-content %s office:version="1.2">%s'
               '<office:body><office:spreadsheet>%s</office:spreadsheet></office:body></office:document-content>'
               % (ns, styles, table))
    manifeste = ('<?xml version="1.0" encoding="UTF-8"?><manifest:manifest xmlns:manifest="urn:oasis:names:tc:'
                 'opendocument:xmlns:manifest:1.0" manifest:version="1.2"><manifest:file-entry manifest:full-path="/" '
                 'manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/><manifest:file-entry '
                 'manifest:full-path="content.xml" manifest:media-type="text/xml"/></manifest:manifest>')
    with zipfile.ZipFile("particularites.ods", "w") as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
        z.writestr("content.xml", contenu, zipfile.ZIP_DEFLATED)
        z.writestr("META-INF/manifest.xml", manifeste, zipfile.ZIP_DEFLATED)


def particularites():
    """The hand-made workbooks, with the CSV the office suite exports of them."""
    particularites_xlsx()
    particularites_ods()
    with tempfile.TemporaryDirectory() as tmp:
        for nom in ("particularites.xlsx", "particularites.ods"):
            convertit(nom, CSV, tmp)
            os.replace(os.path.join(tmp, "particularites.csv"), nom.replace(".", "_") + ".csv")


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
# A text result longer than one record of an .xls, and an error.
formules[1] += (("=", 'REPT("é";5000)&"fin"'), ("=", "1/0"))
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
        particularites()
    sans_resultat()
