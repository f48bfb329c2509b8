#!/usr/bin/python3
"""Installs a build folder into a temporary DESTDIR and checks what lands there: the file
list, the desktop entry, the AppStream and MIME files, the icons, the manual pages, and that
the installed verdal-run starts.

    check_install.py BUILD_DIR SOURCE_DIR VERSION [--gui]

Exit code 0 when every check passes, 1 with a list of failures, 77 (skipped) when a
validator is missing outside CI.
"""
import gzip
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SKIP = 77
MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"


def expected_files(source, gui):
    files = set()
    with open(os.path.join(source, "tests/install/expected-files.txt"), encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if not parts or parts[0].startswith("#"):
                continue
            if len(parts) > 1 and parts[1] == "gui" and not gui:
                continue
            files.add(parts[0])
    help_dir = os.path.join(source, "resources/help")
    for root, _, names in os.walk(help_dir):
        for name in names:
            rel = os.path.relpath(os.path.join(root, name), help_dir)
            files.add("share/verdal/help/" + rel)
    return files


def installed_files(prefix):
    found = set()
    for root, _, names in os.walk(prefix):
        for name in names:
            found.add(os.path.relpath(os.path.join(root, name), prefix))
    return found


def desktop_values(path):
    values = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                values[key] = value
    return values


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


class Checker:
    def __init__(self):
        self.failures = []
        self.missing_tools = []

    def fail(self, text):
        self.failures.append(text)

    def run(self, args, **kw):
        tool = shutil.which(args[0])
        if tool is None:
            self.missing_tools.append(args[0])
            return None
        return subprocess.run(args, capture_output=True, text=True, **kw)


def check(build, source, version, gui, dest):
    c = Checker()
    env = dict(os.environ, DESTDIR=dest)
    r = subprocess.run(["cmake", "--install", build, "--prefix", "/usr"], env=env,
                       capture_output=True, text=True)
    if r.returncode != 0:
        c.fail("cmake --install failed:\n" + r.stdout + r.stderr)
        return c
    prefix = os.path.join(dest, "usr")

    want, have = expected_files(source, gui), installed_files(prefix)
    for name in sorted(want - have):
        c.fail("missing after install: " + name)
    for name in sorted(have - want):
        c.fail("installed but not expected: " + name)

    desktop = os.path.join(prefix, "share/applications/verdal.desktop")
    if os.path.exists(desktop):
        r = c.run(["desktop-file-validate", desktop])
        if r is not None and (r.returncode != 0 or r.stdout.strip()):
            c.fail("desktop-file-validate:\n" + r.stdout + r.stderr)
        entry = desktop_values(desktop)
        desktop_types = set(filter(None, entry.get("MimeType", "").split(";")))
        if entry.get("Icon") != "verdal" or entry.get("Exec", "").split()[0] != "verdal":
            c.fail("desktop entry does not start verdal with the verdal icon")
    else:
        desktop_types = set()

    metainfo = os.path.join(prefix, "share/metainfo/de.verdal.Verdal.metainfo.xml")
    if os.path.exists(metainfo):
        r = c.run(["appstreamcli", "validate", "--no-net", metainfo])
        if r is not None and r.returncode != 0:
            c.fail("appstreamcli validate:\n" + r.stdout + r.stderr)
        releases = [e.get("version") for e in ET.parse(metainfo).iter("release")]
        if version not in releases:
            c.fail("metainfo lists no release " + version)

    mime = os.path.join(prefix, "share/mime/packages/verdal.xml")
    if os.path.exists(mime):
        types = {t.get("type"): [g.get("pattern") for g in t.iter(MIME_NS + "glob")]
                 for t in ET.parse(mime).getroot().iter(MIME_NS + "mime-type")}
        if types.get("application/x-verdal-profile") != ["*.vrd"] or \
                types.get("application/x-verdal-batch") != ["*.vbf"]:
            c.fail("MIME package does not map *.vrd and *.vbf: %r" % types)
        if desktop_types != set(types):
            c.fail("desktop MimeType %r differs from the MIME package %r"
                   % (sorted(desktop_types), sorted(types)))
        # The database tool must accept the package and derive the globs from it.
        r = c.run(["update-mime-database", os.path.join(prefix, "share/mime")])
        if r is not None:
            globs = os.path.join(prefix, "share/mime/globs2")
            text = open(globs, encoding="utf-8").read() if os.path.exists(globs) else ""
            if r.returncode != 0 or "application/x-verdal-profile:*.vrd" not in text:
                c.fail("update-mime-database did not register *.vrd:\n" + r.stderr)

    icons = os.path.join(prefix, "share/icons/hicolor")
    for name in sorted(have):
        if name.startswith("share/icons/hicolor/") and name.endswith(".png"):
            size = name.split("/")[3]
            got = png_size(os.path.join(prefix, name))
            if got is None or "%dx%d" % got != size:
                c.fail("%s is %r, not %s" % (name, got, size))
    if os.path.isdir(icons):
        svg = os.path.join(icons, "scalable/apps/verdal.svg")
        if os.path.exists(svg):
            ET.parse(svg)  # a broken SVG raises here

    for page in ("verdal.1.gz", "verdal-run.1.gz"):
        path = os.path.join(prefix, "share/man/man1", page)
        if not os.path.exists(path):
            continue
        text = gzip.open(path, "rt", encoding="utf-8").read()
        if not text.startswith(".TH "):
            c.fail(page + " is no manual page")
        r = c.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", path],
                  env=dict(os.environ, MANROFFSEQ="", MANWIDTH="80", LC_ALL="C.UTF-8"))
        if r is not None and (r.returncode != 0 or r.stderr.strip()):
            c.fail("man reports for %s:\n%s" % (page, r.stderr))

    run = os.path.join(prefix, "bin/verdal-run")
    if os.path.exists(run):
        r = subprocess.run([run, "--version"], capture_output=True, text=True, timeout=30)
        if r.returncode != 0 or r.stdout.strip() != "verdal-run " + version:
            c.fail("installed verdal-run --version said %r (exit %d)"
                   % (r.stdout, r.returncode))
    return c


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    build, source, version = sys.argv[1:4]
    gui = "--gui" in sys.argv[4:]
    with tempfile.TemporaryDirectory(prefix="verdal-install-") as dest:
        # The validators and man may keep caches; they go to the temporary folder, not home.
        home = os.path.join(dest, "home")
        os.makedirs(home)
        for name, sub in (("HOME", ""), ("XDG_CACHE_HOME", "cache"),
                          ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data")):
            os.environ[name] = os.path.join(home, sub)
        c = check(build, source, version, gui, os.path.join(dest, "root"))
    for text in c.failures:
        print("FAIL: " + text)
    if c.failures:
        return 1
    if c.missing_tools:
        print("missing: " + ", ".join(sorted(set(c.missing_tools)))
              + " (packages desktop-file-utils, appstream, shared-mime-info, man-db)")
        return 1 if os.environ.get("CI") else SKIP
    print("install check passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
