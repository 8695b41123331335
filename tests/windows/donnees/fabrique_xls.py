#!/usr/bin/python3
# Writes the .xls workbooks of the spreadsheet-import tests with a real writer (Debian's
# python3-xlwt): run it from this folder with /usr/bin/python3.
import datetime
import xlwt

def classeur(nom, lignes, debut=5):
    wb = xlwt.Workbook(encoding="utf-8")
    ws = wb.add_sheet("releve")
    date = xlwt.easyxf(num_format_str="dd/mm/yyyy")
    ws.write(0, 0, "Relevé du 7 décembre")
    for i, cellules in enumerate(lignes):
        for col, v in cellules.items():
            if isinstance(v, datetime.date):
                ws.write(debut - 1 + i, col - 1, v, date)
            else:
                ws.write(debut - 1 + i, col - 1, v)
    # A second sheet, never read.
    wb.add_sheet("autre").write(4, 0, 999.0)
    wb.save(nom)

classeur("points.xls", [
    {1: 0.23, 2: 111.5, 3: "pointA", 12: 12, 30: 0.23},
    {1: 1.25, 2: 215.6, 3: "Église", 12: "abc", 30: 1.25},
    {1: "x=3", 2: 5},
    {1: datetime.date(2026, 12, 7), 2: 7},
    {1: 1000.5, 2: -0.5, 3: 3, 30: 1000.5},
])
classeur("vide.xls", [{2: 5.0}, {1: 1.0, 2: 2.0}])
classeur("exposants.xls", [
    {1: 0.5, 2: 100.0, 3: "petit Z", 12: 1e-7},
    {1: 1.5e-300, 2: 200.0, 3: "infime"},
    {1: 2.0, 2: 300.0, 3: "grand Z", 12: 2.5e20},
])
