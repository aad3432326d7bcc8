"""TamzoTravel's office helper: starts a private, headless LibreOffice and carries out
document requests for the program.

Run by Debian's /usr/bin/python3, which owns the UNO bridge. Arguments: the folder for the
throw-away office profile. Requests arrive one JSON object per line on standard input; each
gets one JSON line on standard output: {"id": n, "ok": true, ...} or {"id": n, "ok": false,
"error": "...", "kind": "..."}. The kind says what failed in words the program turns into
its own message: "missing", "template", "presentation", "write", "stopped" or "failed". An
answer with "restart": true asks the program for a fresh helper: the office is gone. End of
input ends the office and the helper.
"""

import json
import os
import secrets
import shutil
import signal
import subprocess
import sys
import tempfile
import time

try:
    import uno
    from com.sun.star.beans import PropertyValue
    from com.sun.star.connection import NoConnectException
    from com.sun.star.io import IOException
except ImportError:
    uno = None

INSTALL_HINT = ("Install LibreOffice and its Python bridge: apt-get install libreoffice-writer-nogui "
                "libreoffice-calc-nogui libreoffice-impress-nogui python3-uno")


CONNECT_SECONDS = 60
# Where the helper keeps its copies of the files the office opens: beside the office profile.
STAGING = None


class Missing(Exception):
    """The office or its bridge is not installed."""


class Refused(Exception):
    """A request the office cannot carry out, for a reason the user can act on."""

    def __init__(self, kind, detail):
        super().__init__(detail)
        self.kind = kind

PRESENTATION = "com.sun.star.presentation.PresentationDocument"
PDF_OPTIONS = {"UseTaggedPDF": True, "ExportBookmarks": False}


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
        # The office's pipe lies in the shared temporary folder: a name nobody can guess keeps
        # another user from listening there first.
        pipe = "tamzo%d_%s" % (os.getpid(), secrets.token_hex(16))
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
        """The office runs and its bridge still answers."""
        if self.process.poll() is not None:
            return False
        try:
            self.desktop.getFrames()
            return True
        except Exception:
            return False

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
        try:
            document.close(True)
        except Exception:
            pass  # an office that died has closed it already


class Staged:
    """A copy of a user's file in a folder of the helper's own: the office opens the copy, so
    that no lock file ever lands beside the user's file."""

    def __init__(self, path, kind):
        self.folder = tempfile.mkdtemp(prefix="staged-", dir=STAGING)
        self.path = os.path.join(self.folder, "source" + os.path.splitext(path)[1])
        try:
            shutil.copyfile(path, self.path)
        except OSError as error:
            shutil.rmtree(self.folder, ignore_errors=True)
            raise Refused(kind, error.strerror or str(error))

    def __enter__(self):
        return self.path

    def __exit__(self, *_):
        shutil.rmtree(self.folder, ignore_errors=True)


def store(document, path, filter_name, filter_data=None):
    extra = {}
    if filter_data:
        extra["FilterData"] = uno.Any("[]com.sun.star.beans.PropertyValue", props(**filter_data))
    try:
        document.storeToURL(url(path), props(FilterName=filter_name, Overwrite=True, **extra))
    except IOException as error:
        raise Refused("write", str(error))


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
    if template:
        with Staged(template, "template") as staged:
            try:
                document = office.load(url(staged))
            except Exception as error:
                if not office.alive():
                    raise
                raise Refused("template", str(error))
    else:
        document = office.load("private:factory/swriter")

    def work(doc):
        doc.lockControllers()  # no layout on the way: the document is only stored
        if not template and request.get("landscape"):
            set_landscape(doc)
        text = doc.Text
        cursor = text.createTextCursorByRange(text.End)
        cursor.insertDocumentFromURL(url(request["html"]), props(FilterName="HTML (StarWriter)"))
        embed_graphics(office, doc)
        for output in request["outputs"]:
            pdf = output["filter"] == "writer_pdf_Export"
            store(doc, output["path"], output["filter"], PDF_OPTIONS if pdf else None)
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


def open_presentation(office, path):
    """The file opened as a presentation, or refused when it holds anything else."""
    detection = office.create("com.sun.star.document.TypeDetection")
    descriptor = props(URL=url(path))
    kind = detection.queryTypeByDescriptor(descriptor, True)[0] if os.path.getsize(path) else ""
    service = ""
    if kind:
        filter_name = dict((p.Name, p.Value) for p in detection.getByName(kind)).get("PreferredFilter", "")
        filters = office.create("com.sun.star.document.FilterFactory")
        if filter_name and filters.hasByName(filter_name):
            service = dict((p.Name, p.Value) for p in filters.getByName(filter_name)).get("DocumentService", "")
    if service != PRESENTATION:
        raise Refused("presentation", "not a presentation")
    document = office.load(url(path), FilterName=filter_name)
    if not document.supportsService(PRESENTATION):
        document.close(True)
        raise Refused("presentation", "not a presentation")
    return document


def append_slide(office, request):
    """A blank slide with the picture added at the end of the presentation (a new one when none)."""
    existing = request.get("presentation", "")
    if existing:
        with Staged(existing, "presentation") as staged:
            document = open_presentation(office, staged)
    else:
        document = office.load("private:factory/simpress")

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
    except Exception as error:  # every failure goes back to the program with its kind
        answer["ok"] = False
        answer["error"] = str(error) or error.__class__.__name__
        answer["missing"] = isinstance(error, Missing)
        if isinstance(error, Missing):
            answer["kind"] = "missing"
        elif office is not None and not office.alive():
            answer["kind"] = "stopped"
            answer["restart"] = True
        else:
            answer["kind"] = error.kind if isinstance(error, Refused) else "failed"
    return answer


def start_office(profile_dir):
    """The office, or why there is none (told to every request: the program shows it)."""
    try:
        return Office(profile_dir), None
    except Exception as error:
        return None, error


def serve(operations, profile_dir):
    global STAGING
    STAGING = os.path.dirname(os.path.abspath(profile_dir))
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
