#!/usr/bin/python3
"""Writes the two example workbooks of the conversion window (".xl0" templates, .xls content).

Run from the repository root: /usr/bin/python3 scripts/modeles_classeurs.py (Debian python3-xlwt).
"""
import os
import xlwt

DOSSIER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "modeles")


def ecrit(nom, lignes):
    classeur = xlwt.Workbook(encoding="utf-8")
    feuille = classeur.add_sheet("Feuil1")
    for r, ligne in enumerate(lignes):
        for c, valeur in enumerate(ligne):
            feuille.write(r, c, valeur)
    chemin = os.path.join(DOSSIER, nom + ".xl0")
    classeur.save(chemin)
    print(chemin)


os.makedirs(DOSSIER, exist_ok=True)
# UTM layout: zone, ellipsoid and hemisphere in column 2 of rows 1 to 3, then the positions.
ecrit("Exemple UTM to LatLong", [
    ["Zone", 32],
    ["Ellipsoide", "WGS84"],
    ["Hémisphère", "N"],
    ["Strasbourg", 406864, 5383757],
    ["Kehl", 410000.4, "5 383 000"],
])
# Latitude/longitude layout: a header row, then N/S and E/O in place of the sign.
ecrit("Exemple LatLog to UTM", [
    ["Nom", "Latitude", "Longitude"],
    ["Strasbourg", "48° 35' 59,8555\" N", "7° 44' 12,2052\" E"],
    ["Décimal", 48.5999598581, 7.73672367],
    ["Le Cap", "33° 54' 0\" S", "18° 24' 0\" E"],
    ["Ouest", "10,5 S", "2,25 O"],
])
