"""Reads documents back for the office tests, through the program's own office helper:
{"op": "inspect", "path": ...} answers what the document holds; {"op": "sleep"} takes its time
and {"op": "end_office"} ends the office as a crash would (for the tests of the helper)."""

import os
import time

import officehelper as helper


def writer(document):
    text = document.Text
    style = document.StyleFamilies.getByName("PageStyles").getByName(
        text.createTextCursor().PageStyleName)
    graphics = [document.GraphicObjects.getByIndex(i).Graphic
                for i in range(document.GraphicObjects.Count)]
    return {"text": text.String, "landscape": style.Width > style.Height,
            "pictures": len(graphics),
            "embedded": sum(1 for g in graphics if g is not None and not g.Linked)}


def calc(document):
    cells = []
    for index in range(document.Sheets.Count):
        sheet = document.Sheets.getByIndex(index)
        cursor = sheet.createCursor()
        cursor.gotoEndOfUsedArea(False)
        end = cursor.RangeAddress
        for row in sheet.getCellRangeByPosition(0, 0, end.EndColumn, end.EndRow).DataArray:
            cells.extend(str(value) for value in row if value != "")
    return {"cells": cells}


def impress(document):
    slides = [document.DrawPages.getByIndex(i) for i in range(document.DrawPages.Count)]
    return {"slides": len(slides),
            "pictures": [sum(1 for j in range(s.Count)
                             if s.getByIndex(j).ShapeType == "com.sun.star.drawing.GraphicObjectShape")
                         for s in slides]}


def inspect(office, request):
    readers = {".doc": writer, ".xls": calc, ".ppt": impress}
    reader = readers[os.path.splitext(request["path"])[1].lower()]
    return helper.closing(office.load(helper.url(request["path"])), reader)


def sleep(office, request):
    time.sleep(request["seconds"])
    return {}


def end_office(office, request):
    os.system("pkill -KILL -P %d" % office.process.pid)  # soffice.bin below the launcher
    office.process.wait()
    return {}


if __name__ == "__main__":
    helper.main(dict(helper.OPERATIONS, inspect=inspect, sleep=sleep, end_office=end_office))
