"""TamzoTravel's office helper: starts a private, headless LibreOffice and carries out
document requests for the program.

Run by Debian's /usr/bin/python3, which owns the UNO bridge. Arguments: the folder for the
throw-away office profile. Requests arrive one JSON object per line on standard input; each
gets one JSON line on standard output: {"id": n, "ok": true, ...} or {"id": n, "ok": false,
"error": "..."}. End of input ends the office and the helper.
"""

import json
import os
import signal
import subprocess
import sys
import time

try:
    import uno
    from com.sun.star.beans import PropertyValue
    from com.sun.star.connection import NoConnectException
except ImportError:
    uno = None

INSTALL_HINT = ("Install LibreOffice and its Python bridge: apt-get install libreoffice-writer-nogui "
                "libreoffice-calc-nogui libreoffice-impress-nogui python3-uno")


CONNECT_SECONDS = 60


class Missing(Exception):
    """The office or its bridge is not installed."""


def props(**values):
    result = []
    for name, value in values.items():
        prop = PropertyValue()
        prop.Name = name
        prop.Value = value
        result.append(prop)
    return tuple(result)


def url(path):
    return uno.systemPathToFileUrl(os.path.abspath(path))


class Office:
    """One soffice process with its own profile, reached over a private pipe."""

    def __init__(self, profile_dir):
        if uno is None:
            raise Missing("The Python bridge to LibreOffice (python3-uno) is missing. " + INSTALL_HINT)
        pipe = "tamzo%d" % os.getpid()
        try:
            self.process = subprocess.Popen(
                ["soffice", "--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
                 "--nolockcheck", "--nofirststartwizard",
                 "-env:UserInstallation=" + url(profile_dir),
                 "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except FileNotFoundError:
            raise Missing("LibreOffice (soffice) is missing. " + INSTALL_HINT)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + CONNECT_SECONDS
        while True:
            try:
                self.context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except NoConnectException:
                if self.process.poll() is not None:
                    raise RuntimeError("LibreOffice ended at start-up (exit code %d)"
                                       % self.process.returncode)
                if time.monotonic() > deadline:
                    raise RuntimeError("LibreOffice did not start within %d s" % CONNECT_SECONDS)
                time.sleep(0.05)
        self.manager = self.context.ServiceManager
        self.desktop = self.manager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", self.context)

    def alive(self):
        return self.process.poll() is None

    def create(self, service):
        return self.manager.createInstanceWithContext(service, self.context)

    def load(self, source, **extra):
        document = self.desktop.loadComponentFromURL(source, "_blank", 0,
                                                     props(Hidden=True, **extra))
        if document is None:
            raise RuntimeError("LibreOffice could not open %s" % source)
        return document

    def end(self):
        try:
            self.desktop.terminate()
        except Exception:
            pass
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()


def closing(document, work):
    try:
        return work(document)
    finally:
        document.close(True)


def store(document, path, filter_name):
    document.storeToURL(url(path), props(FilterName=filter_name, Overwrite=True))


def embed_graphics(office, document):
    """Pictures inserted from a page are links to the web; the document keeps its own copy."""
    provider = office.create("com.sun.star.graphic.GraphicProvider")
    objects = document.GraphicObjects
    for index in range(objects.Count):
        shape = objects.getByIndex(index)
        graphic = shape.Graphic
        if graphic is None or not graphic.Linked:
            continue
        try:
            shape.Graphic = provider.queryGraphic(props(URL=graphic.OriginURL))
        except Exception:
            pass  # a picture the office cannot fetch again stays a link; the text is written


def set_landscape(document):
    styles = document.StyleFamilies.getByName("PageStyles")
    page = styles.getByName("Standard")
    if not page.IsLandscape:
        width, height = page.Width, page.Height
        page.IsLandscape = True
        page.Width, page.Height = max(width, height), min(width, height)


def write_document(office, request):
    """The template (or a new document) with the page inserted at its end, stored once per output."""
    template = request.get("template", "")
    document = office.load(url(template)) if template else office.load("private:factory/swriter")

    def work(doc):
        doc.lockControllers()  # no layout on the way: the document is only stored
        if not template and request.get("landscape"):
            set_landscape(doc)
        text = doc.Text
        cursor = text.createTextCursorByRange(text.End)
        cursor.insertDocumentFromURL(url(request["html"]), props(FilterName="HTML (StarWriter)"))
        embed_graphics(office, doc)
        for output in request["outputs"]:
            store(doc, output["path"], output["filter"])
        return {}

    return closing(document, work)


def write_workbook(office, request):
    """The page opened as a workbook: its tables land in cells."""
    document = office.load(url(request["html"]), FilterName="HTML (StarCalc)")
    return closing(document, lambda doc: store(doc, request["output"], "MS Excel 97") or {})


def fit(picture, page):
    """The largest size of the picture's proportions that fits the page, centred on it."""
    scale = min(page.Width / picture.Width, page.Height / picture.Height)
    width, height = int(picture.Width * scale), int(picture.Height * scale)
    return width, height, (page.Width - width) // 2, (page.Height - height) // 2


def append_slide(office, request):
    """A blank slide with the picture added at the end of the presentation (a new one when none)."""
    existing = request.get("presentation", "")
    document = office.load(url(existing)) if existing else office.load("private:factory/simpress")

    def work(doc):
        pages = doc.DrawPages
        if existing:  # a new presentation starts with one empty slide
            pages.insertNewByIndex(pages.Count)
        slide = pages.getByIndex(pages.Count - 1)
        slide.Layout = 20  # blank
        for index in reversed(range(slide.Count)):
            slide.remove(slide.getByIndex(index))
        provider = office.create("com.sun.star.graphic.GraphicProvider")
        graphic = provider.queryGraphic(props(URL=url(request["picture"])))
        shape = doc.createInstance("com.sun.star.drawing.GraphicObjectShape")
        shape.Graphic = graphic
        slide.add(shape)
        width, height, left, top = fit(graphic.SizePixel, slide)
        shape.Size = uno.createUnoStruct("com.sun.star.awt.Size", width, height)
        shape.Position = uno.createUnoStruct("com.sun.star.awt.Point", left, top)
        store(doc, request["output"], "MS PowerPoint 97")
        return {"slides": pages.Count}

    return closing(document, work)


OPERATIONS = {
    "document": write_document,
    "workbook": write_workbook,
    "slide": append_slide,
}


def answer_to(line, office, failure, operations):
    answer = {"ok": True}
    try:
        request = json.loads(line)
        answer["id"] = request.get("id", 0)
        if office is None:
            raise failure
        answer.update(operations[request["op"]](office, request))
    except Exception as error:  # every failure goes back to the program as text
        answer["ok"] = False
        answer["error"] = str(error) or error.__class__.__name__
        answer["missing"] = isinstance(error, Missing)
    return answer


def start_office(profile_dir):
    """The office, or why there is none (told to every request: the program shows it)."""
    try:
        return Office(profile_dir), None
    except Exception as error:
        return None, error


def serve(operations, profile_dir):
    office, failure = start_office(profile_dir)
    try:
        for line in sys.stdin:
            if office is not None and not office.alive():  # an office that died is replaced
                office, failure = start_office(profile_dir)
            if line.strip():
                sys.stdout.write(json.dumps(answer_to(line, office, failure, operations)) + "\n")
                sys.stdout.flush()
    finally:
        if office is not None:
            office.end()


def end_group(*_):
    """The program is gone: the office goes with the helper, even halfway through its start.
    The program starts the helper as the leader of a process group of its own."""
    if os.getpgid(0) == os.getpid():
        os.killpg(0, signal.SIGKILL)
    sys.exit(0)


def main(operations=OPERATIONS):
    signal.signal(signal.SIGTERM, end_group)
    serve(operations, sys.argv[1])


if __name__ == "__main__":
    main()
