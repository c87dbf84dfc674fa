#!/usr/bin/python3
"""The whole road in LibreOffice Calc: a 100,000-row column in a Calc document, one Cellwash
command dispatched as the menu does (vnd.cellwash:...), with the scripted user answering Yes.

Starts a headless soffice on a throwaway profile with the extension installed, fills column A
of a new document through UNO (not timed), selects it, and times the dispatch from the call
until it returns (the dialog, the tool with its per-cell progress and yield, the undo copy, the
message). Prints one line per figure, `name: value s`, as bench/cli_road.py does; a run longer
than CALC_ROAD_LIMIT seconds (300) is given up and printed as `more than N s`:

    calc_remove_extra_spaces_100k      texts like "  Alpha   beta 12  "
    calc_remove_duplicates_keep_first_100k   50,000 entries each twice, cells moved up
    calc_remove_duplicates_keep_first_clear_100k   the same, duplicates cleared in place

Usage: /usr/bin/python3 calc_road.py PATH-TO-cellwash.oxt   (skips when soffice is absent)
"""
import os
import shutil
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "apps", "calc"))

ROWS = int(os.environ.get("CALC_ROAD_ROWS", "100000"))
# A run taking longer is given up (soffice stopped) and reported as such.
LIMIT = int(os.environ.get("CALC_ROAD_LIMIT", "300"))


def timed_command(office, folder, rows, control_id, script):
    desktop = office.desktop
    doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, ())
    try:
        sheet = doc.Sheets.getByIndex(0)
        sheet.getCellRangeByName("A1:A%d" % ROWS).setDataArray(tuple((value,) for value in rows))
        controller = doc.getCurrentController()
        controller.select(sheet.getCellRangeByName("A1:A%d" % ROWS))
        with open(os.path.join(folder, "script.txt"), "w") as out:
            out.write(script)
        log_path = os.path.join(folder, "log.txt")
        if os.path.exists(log_path):
            os.remove(log_path)
        helper = office.create("com.sun.star.frame.DispatchHelper")
        frame = controller.getFrame()
        started = time.perf_counter()

        def dispatch():
            try:
                helper.executeDispatch(frame, "vnd.cellwash:" + control_id, "", 0, ())
            except Exception:
                pass  # soffice stopped under a run given up

        command = threading.Thread(target=dispatch, daemon=True)
        command.start()
        command.join(LIMIT)
        if command.is_alive():
            return None, []  # soffice is stopped by the caller
        seconds = time.perf_counter() - started
        with open(log_path, encoding="utf-8") as log:
            messages = log.read().strip().splitlines()
        doc.close(True)
        return seconds, messages
    except Exception:
        doc.close(True)
        raise


def main():
    if shutil.which("soffice") is None:
        print("calc_road: skipped, soffice is not installed (scripts/install-deps installs libreoffice-calc)")
        return 0
    if len(sys.argv) != 2 or not os.path.isfile(sys.argv[1]):
        print("usage: calc_road.py PATH-TO-cellwash.oxt (make calc builds it)", file=sys.stderr)
        return 2
    import calc_office
    folder = tempfile.mkdtemp(prefix="cellwash-calc-road-")
    try:
        profile = os.path.join(folder, "profile")
        with calc_office.Office(profile) as office:
            calc_office.install_extension(office.context, os.path.abspath(sys.argv[1]))
        environment = {"CELLWASH_UI_SCRIPT": os.path.join(folder, "script.txt"),
                       "CELLWASH_UI_LOG": os.path.join(folder, "log.txt")}
        duplicates = ["item-%05d" % (r % (ROWS // 2)) for r in range(ROWS)]
        runs = [("calc_remove_extra_spaces_100k", ["  Alpha   beta %d  " % (r % 977) for r in range(ROWS)],
                 "btnDelExtraSpaces_15", "yes\n"),
                ("calc_remove_duplicates_keep_first_100k", duplicates, "btnDelDupsKF_25",
                 "click optDelEmptyCells\nyes\n"),
                ("calc_remove_duplicates_keep_first_clear_100k", duplicates, "btnDelDupsKF_25",
                 "click optDelEntire\nyes\n")]
        for name, rows, control_id, script in runs:
            # Each on a fresh soffice, so that a run given up on leaves nothing behind.
            with calc_office.Office(profile, env=environment) as office:
                seconds, messages = timed_command(office, folder, rows, control_id, script)
            if seconds is None:
                print("%s: more than %d s (given up)" % (name, LIMIT), flush=True)
            else:
                print("%s: %.2f s" % (name, seconds), flush=True)
                print("  (%s)" % "; ".join(messages), file=sys.stderr)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
