#!/usr/bin/env python3
"""The translations of the editor and telvir.

  translations.py update  --lupdate LUPDATE   brings translations/*.ts up to the sources
  translations.py current --lupdate LUPDATE   fails when lupdate would change a .ts file
  translations.py finished                    fails on an unfinished text, or a translation
                                              that lost or gained a placeholder (%1, %n)
"""
import argparse
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

ROOT = pathlib.Path(__file__).resolve().parent.parent
TRANSLATIONS = ROOT / "translations"
# Every folder whose code shows a text to the user.
SOURCES = ["app", "cli", "commands", "firmware", "midi", "model", "protocol", "sheet"]
PLACEHOLDER = re.compile(r"%(?:L?[1-9][0-9]?|n)")


def ts_files():
    return sorted(TRANSLATIONS.glob("telvir_*.ts"))


def lupdate(program, targets):
    # No source locations: a line moved in the code changes no .ts file.
    command = [program, "-silent", "-locations", "none", "-no-obsolete", "-I", ".", *SOURCES, "-ts", *map(str, targets)]
    subprocess.run(command, cwd=ROOT, check=True)


def update(arguments):
    lupdate(arguments.lupdate, ts_files())
    return 0


def current(arguments):
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        copies = []
        for ts in ts_files():
            copy = pathlib.Path(folder) / ts.name
            shutil.copyfile(ts, copy)
            copies.append(copy)
        lupdate(arguments.lupdate, copies)
        for ts, copy in zip(ts_files(), copies):
            if ts.read_bytes() != copy.read_bytes():
                failures.append(f"{ts.name}: lupdate would change it (run tools/translations.py update)")
    report(failures, f"{len(ts_files())} translation files as lupdate writes them")
    return 1 if failures else 0


def placeholders(text):
    return sorted(set(PLACEHOLDER.findall(text or "")))


def finished(arguments):
    failures = []
    counted = 0
    for ts in ts_files():
        root = ElementTree.parse(ts).getroot()
        for context in root.iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                source = message.findtext("source")
                translation = message.find("translation")
                where = f"{ts.name} {name} \"{source}\""
                if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                    failures.append(f"{where}: not translated")
                    continue
                forms = [form.text for form in translation.iter("numerusform")] or [translation.text]
                wanted = placeholders(source)
                if message.get("numerus") == "yes":
                    # A language's singular may spell the one out ("ein Steuerelement").
                    wanted = [p for p in wanted if p != "%n"]
                for form in forms:
                    if not form:
                        failures.append(f"{where}: empty translation")
                        continue
                    got = placeholders(form)
                    if message.get("numerus") == "yes":
                        got = [p for p in got if p != "%n"]
                    if got != wanted:
                        failures.append(f"{where}: has {got}, the source {wanted}: \"{form}\"")
                counted += 1
    if counted == 0:
        failures.append("no translated text found")
    report(failures, f"{counted} translated texts")
    return 1 if failures else 0


def report(failures, what):
    for failure in failures:
        print("FAIL:", failure)
    print(f"{what}: {len(failures)} failed")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("action", choices=["update", "current", "finished"])
    parser.add_argument("--lupdate", default="lupdate")
    arguments = parser.parse_args()
    return {"update": update, "current": current, "finished": finished}[arguments.action](arguments)


if __name__ == "__main__":
    sys.exit(main())
