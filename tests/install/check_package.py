#!/usr/bin/python3
"""Builds the Debian package from a build folder into a temporary folder and checks it: the
dependencies that dpkg-shlibdeps found plus the translations, the files a desktop needs,
and lintian's verdict where lintian is installed.

    check_package.py BUILD_DIR [--gui]

Exit code 0 when every check passes, 1 with a list of failures, 77 (skipped) when the
packaging tools are missing outside CI.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77


def depends(deb):
    text = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], capture_output=True,
                          text=True).stdout
    return {re.split(r"[\s(]", d.strip())[0] for d in text.split(",") if d.strip()}


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    build, gui = sys.argv[1], "--gui" in sys.argv[2:]
    missing = [t for t in ("cpack", "dpkg-deb", "dpkg-shlibdeps", "file") if not shutil.which(t)]
    if missing:
        print("missing: " + ", ".join(missing) + " (packages cmake, dpkg-dev, file)")
        return 1 if os.environ.get("CI") else SKIP
    failures = []
    with tempfile.TemporaryDirectory(prefix="verdal-package-") as out:
        r = subprocess.run(["cpack", "--config", os.path.join(build, "CPackConfig.cmake"),
                            "-G", "DEB", "-B", out], capture_output=True, text=True)
        debs = glob.glob(os.path.join(out, "verdal_*.deb"))
        if r.returncode != 0 or len(debs) != 1:
            print("FAIL: cpack made no package:\n" + r.stdout + r.stderr)
            return 1
        deb = debs[0]
        # Found by dpkg-shlibdeps from the programs' links, besides the one named by hand.
        want = {"qt6-translations-l10n", "libc6", "libstdc++6", "libicu72"}
        if gui:
            want |= {"libqt6widgets6"}
        have = depends(deb)
        for name in sorted(want - have):
            failures.append("Depends lacks %s: %s" % (name, sorted(have)))
        listing = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True,
                                 text=True).stdout
        files = {line.split()[-1].lstrip(".") for line in listing.splitlines()}
        for name in ("/usr/bin/verdal-run", "/usr/share/applications/verdal.desktop",
                     "/usr/share/mime/packages/verdal.xml",
                     "/usr/share/man/man1/verdal-run.1.gz", "/usr/share/doc/verdal/copyright"):
            if name not in files:
                failures.append("the package lacks " + name)
        if gui and "/usr/bin/verdal" not in files:
            failures.append("the package lacks /usr/bin/verdal")
        if shutil.which("lintian"):
            r = subprocess.run(["lintian", "--fail-on", "error", deb], capture_output=True,
                               text=True)
            if r.returncode != 0:
                failures.append("lintian:\n" + r.stdout + r.stderr)
        else:
            print("lintian is not installed; its check is left out")
    for text in failures:
        print("FAIL: " + text)
    if not failures:
        print("package check passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
