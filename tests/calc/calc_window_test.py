#!/usr/bin/env python3
"""Cellwash's dialogs as real windows of LibreOffice Calc, on a virtual screen.

    /usr/bin/python3 calc_window_test.py path/to/cellwash.oxt SCREENSHOT_FOLDER

Starts Xvfb and soffice with a window (not headless) on a throwaway profile with the extension
installed, opens a workbook, and chooses "Remove Empty Rows in Selection" as the menu does
(the command dispatched on Calc's main thread, no UI script: the person at the screen answers).
The test finds the dialog among Calc's top windows, reads its title and controls through the
accessibility tree, checks that Calc keeps serving other callers while the dialog waits (the
dispatch has returned to Calc's loop; remote calls answer at once), takes a screenshot, presses
Yes as a user would, finds the message window with the tool's message, takes a second
screenshot, presses OK, and checks the cells. A second run over 4,000 rows watches the progress
caption advance, takes a screenshot half-way, presses STOP there and checks that the run ended
part-way with the rows it removed and the rows it left adding up. The Duplicate Preventer's rule
refuses a duplicate typed into Calc's grid; a message box of the add-in (Remove Cellwash's
question) is Calc's own and answered by its No button. The PNGs are kept in SCREENSHOT_FOLDER. Exit status 77 (skipped) only when soffice is not installed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "apps", "calc"))
sys.path.insert(0, HERE)

OXT = None
SHOTS = None


def start_xvfb():
    """Xvfb on a display number it chooses itself; returns (process, ":N")."""
    read, write = os.pipe()
    process = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
                               pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as numbers:
        number = numbers.readline().strip()
    if not number:
        process.kill()
        raise RuntimeError("Xvfb did not start")
    return process, ":" + number


# A sheet's accessible table has a child per cell: the walks stop at parts that large.
MAX_CHILDREN = 500


def accessible_tree(context, depth=0):
    """(role, name) of every accessible descendant, depth first (large tables left out)."""
    found = []
    count = context.getAccessibleChildCount()
    if count > MAX_CHILDREN or depth > 8:
        return found
    for index in range(count):
        child = context.getAccessibleChild(index).getAccessibleContext()
        found.append((child.getAccessibleRole(), child.getAccessibleName()))
        found.extend(accessible_tree(child, depth + 1))
    return found


def find_accessible(context, name, depth=0):
    count = context.getAccessibleChildCount()
    if count > MAX_CHILDREN or depth > 8:
        return None
    for index in range(count):
        child = context.getAccessibleChild(index)
        if child.getAccessibleContext().getAccessibleName() == name:
            return child.getAccessibleContext()
        deeper = find_accessible(child.getAccessibleContext(), name, depth + 1)
        if deeper is not None:
            return deeper
    return None


class CalcWindowTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        import calc_office
        cls.folder = tempfile.mkdtemp(prefix="cellwash-calc-window-")
        cls.profile = os.path.join(cls.folder, "profile")
        cls.xvfb = None
        cls.office = None
        try:
            with calc_office.Office(cls.profile) as office:
                calc_office.install_extension(office.context, OXT)
            cls.xvfb, display = start_xvfb()
            cls.display = display
            environment = {"DISPLAY": display, "SAL_USE_VCLPLUGIN": "gen", "CELLWASH_UI_SCRIPT": ""}
            cls.office = calc_office.Office(cls.profile, env=environment, headless=False)
            cls.office.start()
        except Exception:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        if cls.office is not None:
            cls.office.stop()
        if cls.xvfb is not None:
            cls.xvfb.kill()
            cls.xvfb.wait()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def top_window(self, title, showing=None, timeout=30):
        """The accessible context of Calc's top window with this title (and showing this text),
        waiting for it; windows on their way out are passed over."""
        toolkit = self.office.create("com.sun.star.awt.Toolkit")
        deadline = time.time() + timeout
        while time.time() < deadline:
            for index in range(toolkit.getTopWindowCount()):
                try:
                    context = toolkit.getTopWindow(index).getAccessibleContext()
                    if context.getAccessibleName() != title:
                        continue
                    if showing is None or any(name == showing for _, name in accessible_tree(context)):
                        return context
                except Exception:
                    continue  # disposed while we looked
            time.sleep(0.2)
        seen = []
        for index in range(toolkit.getTopWindowCount()):
            try:
                context = toolkit.getTopWindow(index).getAccessibleContext()
                seen.append((context.getAccessibleName(), [name for _, name in accessible_tree(context)][:40]))
            except Exception:
                continue
        self.fail("no window titled %r showing %r appeared; there are %r" % (title, showing, seen))

    def screenshot(self, name):
        import xwd_png
        os.makedirs(SHOTS, exist_ok=True)
        path = os.path.join(SHOTS, name)
        width, height = xwd_png.screenshot(self.display, path)
        self.assertGreater(os.path.getsize(path), 1000)
        return path, width, height

    def test_remove_empty_rows_in_a_real_dialog(self):
        import openpyxl
        import uno
        import unohelper
        from com.sun.star.awt import XCallback

        book = openpyxl.Workbook()
        sheet = book.active
        sheet.title = "Data"
        for row, values in enumerate([["a", 1], [None, None], ["b", 2], [None, None], ["c", 3]], 1):
            for column, value in enumerate(values, 1):
                if value is not None:
                    sheet.cell(row, column, value)
        path = os.path.join(self.folder, "rows.xlsx")
        book.save(path)
        doc = self.office.desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0, ())
        controller = doc.getCurrentController()
        data = doc.Sheets.getByName("Data")
        controller.select(data.getCellRangeByName("A1:B5"))

        calc = self.top_window("rows.xlsx - LibreOffice Calc")
        self.assertIn("Cellwash", [name for _, name in accessible_tree(calc)], "the Cellwash menu is in the menu bar")
        from com.sun.star.accessibility.AccessibleRole import PUSH_BUTTON
        for button in ("Undo", "About Cellwash", "Send Feedback"):
            self.assertIn((PUSH_BUTTON, button), accessible_tree(calc), "the Cellwash toolbar's buttons")

        office = self.office
        frame = controller.getFrame()
        finished = threading.Event()

        class Choose(unohelper.Base, XCallback):
            """Runs on Calc's main thread, as a click in the menu does."""

            def notify(self, _):
                helper = office.create("com.sun.star.frame.DispatchHelper")
                helper.executeDispatch(frame, "vnd.cellwash:btnDelEmptyRows_34", "", 0, ())
                finished.set()

        callback = office.create("com.sun.star.awt.AsyncCallback")
        caller = threading.Thread(target=lambda: callback.addCallback(Choose(), None), daemon=True)
        caller.start()

        dialog = self.top_window("Cellwash", showing="Yes")
        names = [name for _, name in accessible_tree(dialog)]
        for expected in ["Cellwash - Data Organizer", "Do you want to Remove all Empty Rows/Cells ?", "Selected Cells :",
                         "Delete Entire Row (If a Row is Completely Blank)", "Delete Only Empty Cells (Shift Cells Up)",
                         "Yes", "No"]:
            self.assertIn(expected, names)
        # While the dialog waits for a person, Calc's main loop is free: the menu's dispatch has
        # returned, and calls from other threads (this remote client) are answered at once.
        self.assertTrue(finished.wait(10), "the dispatch returns to Calc's loop while the dialog waits")
        toolkit = self.office.create("com.sun.star.awt.Toolkit")
        started = time.time()
        for _ in range(20):
            toolkit.getTopWindowCount()
            data.getCellRangeByName("A1").getString()
        self.assertLess(time.time() - started, 10.0, "Calc answers other callers while the dialog waits")
        self.assertFalse(frame.getContainerWindow().isEnabled(), "Calc's window is disabled under the dialog")
        time.sleep(0.5)  # let the window finish painting
        shot, width, height = self.screenshot("frmMain-remove-empty-rows.png")
        self.assertEqual((width, height), (1280, 900))
        self.assertEqual(self.column(data, "A1:A5"), ["a", "", "b", "", "c"], "nothing happens before Yes")

        self.press("Cellwash", "Yes")
        self.top_window("Cellwash", showing="Total  2  Entirely Blank Rows Removed!")
        time.sleep(0.5)
        self.screenshot("frmAlert-rows-removed.png")
        self.press("Cellwash", "OK")
        deadline = time.time() + 30
        while self.column(data, "A1:A5") != ["a", "b", "c", "", ""] and time.time() < deadline:
            time.sleep(0.2)
        self.assertEqual(self.column(data, "A1:A5"), ["a", "b", "c", "", ""])
        while not frame.getContainerWindow().isEnabled() and time.time() < deadline:
            time.sleep(0.2)
        self.assertTrue(frame.getContainerWindow().isEnabled(), "Calc's window is enabled again when the command ends")
        doc.close(True)

    def test_a_typed_duplicate_is_refused_by_calc(self):
        import openpyxl
        import uno
        from com.sun.star.beans import PropertyValue

        book = openpyxl.Workbook()
        sheet = book.active
        sheet.title = "Data"
        for row, value in enumerate(["a", "b", "c"], 1):
            sheet.cell(row, 1, value)
        path = os.path.join(self.folder, "guarded.xlsx")
        book.save(path)
        doc = self.office.desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0, ())
        controller = doc.getCurrentController()
        frame = controller.getFrame()
        data = doc.Sheets.getByName("Data")
        controller.select(data.getCellRangeByName("A1:A3"))
        self.dispatch_on_main_thread(frame, "vnd.cellwash:btnDupPreventer_30")
        self.press("Duplicate Preventer", "Apply")
        self.top_window("Cellwash", showing="Duplicate Preventer is Activated for Selected Column")
        self.press("Cellwash", "OK")
        self.wait_for_end(frame)

        # Typed as a person types: keys into Calc's grid, through Calc's input handling.
        uitest = self.office.create("com.sun.star.ui.test.UITest")

        def type_into(address, text):
            controller.select(data.getCellRangeByName(address))
            grid = uitest.getTopFocusWindow().getChild("grid_window")

            def keys():
                grid.executeAction("TYPE", (PropertyValue(Name="TEXT", Value=text),))
                grid.executeAction("TYPE", (PropertyValue(Name="KEYCODE", Value="RETURN"),))

            typing = threading.Thread(target=keys, daemon=True)
            typing.start()
            return typing

        type_into("A4", "d").join(30)
        self.assertEqual(data.getCellRangeByName("A4").getString(), "d", "a new entry is taken")

        typing = type_into("A5", "B")
        refusal = self.window_showing("Duplicate Entry!")
        names = [name for _, name in accessible_tree(refusal)]
        self.assertIn("OK", names, names)
        time.sleep(0.5)
        self.screenshot("calc-refuses-a-typed-duplicate.png")
        self.press_in(refusal, "Duplicate Entry!", "OK")
        typing.join(30)
        self.assertEqual(data.getCellRangeByName("A5").getString(), "", "the duplicate was refused")
        self.assertEqual([row[0] for row in data.getCellRangeByName("A1:A4").getDataArray()], ["a", "b", "c", "d"])
        doc.close(True)

    def test_hindi_labels_show_in_calcs_menu(self):
        doc = self.office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, ())
        frame = doc.getCurrentController().getFrame()
        calc = self.top_window("Untitled 1 - LibreOffice Calc")
        try:
            self.dispatch_on_main_thread(frame, "vnd.cellwash:language:Hi")
            menu = find_accessible(calc, "Cellwash")
            deadline = time.time() + 30
            hindi = []
            while not hindi and time.time() < deadline:
                if not hindi:
                    time.sleep(0.5)
                menu.doAccessibleAction(0)  # opens the menu, as a click does
                time.sleep(1.0)
                hindi = [name for _, name in accessible_tree(menu) if any("\u0900" <= c <= "\u097f" for c in name)]
            self.assertGreaterEqual(len(hindi), 3, "the menu's plain entries in Devanagari")
            self.screenshot("calc-menu-hindi.png")
        finally:
            self.dispatch_on_main_thread(frame, "vnd.cellwash:language:En")
            time.sleep(1.0)
            doc.close(True)

    def window_showing(self, text, timeout=30):
        """The accessible context of the top window (any title) showing this text."""
        toolkit = self.office.create("com.sun.star.awt.Toolkit")
        deadline = time.time() + timeout
        while time.time() < deadline:
            for index in range(toolkit.getTopWindowCount()):
                try:
                    context = toolkit.getTopWindow(index).getAccessibleContext()
                    if any(name == text for _, name in accessible_tree(context)):
                        return context
                except Exception:
                    continue
            time.sleep(0.2)
        self.fail("no window showing %r appeared" % text)

    def press_in(self, context, text, button):
        try:
            find_accessible(context, button).doAccessibleAction(0)
        except Exception:
            find_accessible(self.window_showing(text), button).doAccessibleAction(0)

    def wait_for_end(self, frame, timeout=60):
        """Waits until the command has ended: Calc's window is enabled again."""
        deadline = time.time() + timeout
        while not frame.getContainerWindow().isEnabled() and time.time() < deadline:
            time.sleep(0.2)
        self.assertTrue(frame.getContainerWindow().isEnabled(), "the command ended")

    def test_a_message_box_is_calcs_own_and_answered_by_its_button(self):
        doc = self.office.desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, ())
        frame = doc.getCurrentController().getFrame()
        self.dispatch_on_main_thread(frame, "vnd.cellwash:btnExit_57")
        box = self.window_showing("No")
        names = [name for _, name in accessible_tree(box)]
        self.assertIn("Yes", names)
        self.assertTrue(any(name.startswith("Do you want to exit?") for name in names), names)
        self.assertFalse(frame.getContainerWindow().isEnabled(), "Calc's window is disabled under the box")
        self.press_in(box, "No", "No")
        self.wait_for_end(frame)
        doc.close(True)

    def test_progress_advances_and_stop_ends_the_run_half_way(self):
        import re
        import openpyxl
        import uno

        # Every second row blank: the walk deletes one row in two, long enough to be seen.
        rows = 4000
        book = openpyxl.Workbook()
        sheet = book.active
        sheet.title = "Data"
        for row in range(1, rows + 1, 2):
            sheet.cell(row, 1, "r%d" % row)
        path = os.path.join(self.folder, "many-rows.xlsx")
        book.save(path)
        doc = self.office.desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0, ())
        controller = doc.getCurrentController()
        data = doc.Sheets.getByName("Data")
        controller.select(data.getCellRangeByName("A1:A%d" % rows))
        self.dispatch_on_main_thread(controller.getFrame(), "vnd.cellwash:btnDelEmptyRows_34")

        self.press("Cellwash", "Yes")
        # The progress caption ("Removing... N %") advances while the tool runs; half-way, a
        # screenshot is taken and Stop is pressed.
        seen = []
        deadline = time.time() + 120
        while time.time() < deadline:
            try:
                # Fetched afresh each time: Calc may renew a window's accessible objects.
                shown = [name for _, name in accessible_tree(self.top_window("Cellwash", showing="STOP"))]
            except Exception:
                continue
            percents = [int(m.group(1)) for m in (re.match(r"Removing\.\.\. ?(\d+) %$", n) for n in shown) if m]
            if percents:
                seen.append(percents[0])
                if percents[0] >= 40:
                    break
            time.sleep(0.05)
        self.assertTrue(seen and seen[-1] >= 40, "the progress caption reached 40 %%: %r" % seen)
        self.assertLess(seen[-1], 90, "the run was seen half-way, not at its end: %r" % seen)
        self.assertGreater(len(set(seen)), 1, "the caption advanced while watched: %r" % seen)
        self.screenshot("frmMain-progress-half-way.png")
        self.press("Cellwash", "STOP")

        deadline = time.time() + 60
        message = None
        while message is None and time.time() < deadline:
            try:
                for _, name in accessible_tree(self.top_window("Cellwash", showing="OK")):
                    found = re.match(r"Total  (\d+)  Entirely Blank Rows Removed!$", name)
                    if found:
                        message = int(found.group(1))
            except Exception:
                pass  # the window was renewed while read: read again
            time.sleep(0.2)
        self.assertIsNotNone(message, "the message window tells how many rows were removed")
        self.press("Cellwash", "OK")
        frame = controller.getFrame()
        ended = time.time()
        while not frame.getContainerWindow().isEnabled() and time.time() < ended + 120:
            time.sleep(0.2)
        self.assertTrue(frame.getContainerWindow().isEnabled(), "the command ends after its message window")
        print("the command ended %.1f s after OK" % (time.time() - ended))

        values = self.column(data, "A1:A%d" % rows)
        texts = [v for v in values if v]
        self.assertEqual(texts, ["r%d" % row for row in range(1, rows + 1, 2)], "no row with data was lost")
        blanks_left = sum(1 for v in values[:values.index(texts[-1]) + 1] if not v)
        self.assertEqual(blanks_left + message, rows // 2 - 1, "the rows removed and the rows left add up")
        self.assertGreater(message, 0)
        self.assertGreater(blanks_left, 0, "Stop ended the run before the end")
        doc.close(True)

    def press(self, title, button, timeout=30):
        """Presses the button of the top window with this title, finding both afresh until it works."""
        deadline = time.time() + timeout
        while True:
            try:
                find_accessible(self.top_window(title, showing=button), button).doAccessibleAction(0)
                return
            except Exception:
                if time.time() > deadline:
                    raise
                time.sleep(0.1)

    def dispatch_on_main_thread(self, frame, url):
        """Dispatches url on Calc's main thread, as a click in the menu does."""
        import unohelper
        from com.sun.star.awt import XCallback
        office = self.office

        class Choose(unohelper.Base, XCallback):
            def notify(self, _):
                office.create("com.sun.star.frame.DispatchHelper").executeDispatch(frame, url, "", 0, ())

        callback = office.create("com.sun.star.awt.AsyncCallback")
        threading.Thread(target=lambda: callback.addCallback(Choose(), None), daemon=True).start()

    @staticmethod
    def column(sheet, address):
        return [row[0] for row in sheet.getCellRangeByName(address).getDataArray()]


if __name__ == "__main__":
    if shutil.which("soffice") is None:
        print("SKIPPED: soffice is not installed (scripts/install-deps installs libreoffice-calc)")
        sys.exit(77)
    if len(sys.argv) < 3 or not os.path.isfile(sys.argv[1]):
        print("FAILED: usage: calc_window_test.py CELLWASH_OXT SCREENSHOT_FOLDER (make calc builds the extension)")
        sys.exit(1)
    OXT = os.path.abspath(sys.argv[1])
    SHOTS = os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], "-v"])
