#!/usr/bin/env python3
"""Cellwash as an extension of a real LibreOffice Calc.

    /usr/bin/python3 calc_extension_test.py path/to/cellwash.oxt

Installs the extension into a throwaway user profile, starts `soffice --headless` on it (ended
whatever happens), opens xlsx workbooks written by openpyxl, sets the selection, dispatches
vnd.cellwash:<control id> commands with a CELLWASH_UI_SCRIPT, and checks the cells, the sheets
and the logged messages through UNO. Exit status 77 (skipped) only when soffice is not
installed.
"""
import os
import re
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "apps", "calc"))

OXT = None


def skip_or_fail_early():
    if shutil.which("soffice") is None:
        print("SKIPPED: soffice is not installed (scripts/install-deps installs libreoffice-calc)")
        sys.exit(77)
    if len(sys.argv) < 2 or not os.path.isfile(sys.argv[1]):
        print("FAILED: no extension at %s (make calc builds it)" % (sys.argv[1:] or ["?"])[0])
        sys.exit(1)


class CalcExtensionTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        import calc_office
        import uno
        cls.uno = uno
        cls.folder = tempfile.mkdtemp(prefix="cellwash-calc-test-")
        cls.profile = os.path.join(cls.folder, "profile")
        cls.script = os.path.join(cls.folder, "ui-script.txt")
        cls.log = os.path.join(cls.folder, "ui-log.txt")
        with calc_office.Office(cls.profile) as office:
            calc_office.install_extension(office.context, OXT)
            installed = calc_office.installed_identifiers(office.context)
        if "org.cellwash.calc" not in installed:
            shutil.rmtree(cls.folder, ignore_errors=True)
            raise AssertionError("the extension did not install: %r" % installed)
        cls.office = calc_office.Office(cls.profile, env={"CELLWASH_UI_SCRIPT": cls.script,
                                                          "CELLWASH_UI_LOG": cls.log})
        try:
            cls.office.start()
        except Exception:
            shutil.rmtree(cls.folder, ignore_errors=True)
            raise

    @classmethod
    def tearDownClass(cls):
        cls.office.stop()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def setUp(self):
        self.docs = []

    def tearDown(self):
        for doc in self.docs:
            try:
                doc.close(True)
            except Exception:
                pass

    # --- workbooks -------------------------------------------------------------------------

    def workbook(self, sheets):
        """An xlsx written by openpyxl with {sheet name: rows}, opened in Calc."""
        import openpyxl
        book = openpyxl.Workbook()
        book.remove(book.active)
        for name, rows in sheets.items():
            sheet = book.create_sheet(name)
            for r, row in enumerate(rows, 1):
                for c, value in enumerate(row, 1):
                    if value is not None:
                        sheet.cell(r, c, value)
        path = os.path.join(self.folder, "%s-%d.xlsx" % (self.id().split(".")[-1], len(self.docs)))
        book.save(path)
        doc = self.office.desktop.loadComponentFromURL(self.uno.systemPathToFileUrl(path), "_blank", 0, ())
        self.docs.append(doc)
        return doc

    def select(self, doc, address, sheet=None):
        controller = doc.getCurrentController()
        target = doc.Sheets.getByName(sheet) if sheet else controller.getActiveSheet()
        controller.setActiveSheet(target)
        controller.select(target.getCellRangeByName(address))

    def run_command(self, doc, control_id, script=""):
        """Dispatches vnd.cellwash:<control_id> in the document's frame with the UI script;
        returns the lines the command logged."""
        with open(self.script, "w") as out:
            out.write(script)
        if os.path.exists(self.log):
            os.remove(self.log)
        helper = self.office.create("com.sun.star.frame.DispatchHelper")
        helper.executeDispatch(doc.getCurrentController().getFrame(), "vnd.cellwash:" + control_id, "", 0, ())
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as lines:
            return lines.read().splitlines()

    @staticmethod
    def column(doc, sheet, address):
        """The cells of a one-column range: texts as str, numbers as float, empty as None."""
        cells = doc.Sheets.getByName(sheet).getCellRangeByName(address)
        values = []
        for row in cells.getDataArray():
            value = row[0]
            values.append(None if value == "" else value)
        return values

    @staticmethod
    def sheets(doc):
        return [(doc.Sheets.getByIndex(i).Name, doc.Sheets.getByIndex(i).IsVisible) for i in range(doc.Sheets.Count)]

    # --- tests -----------------------------------------------------------------------------

    def test_remove_extra_spaces_cleans_the_selection_keeps_an_undo_copy_and_reports(self):
        original = ["  a   b  ", "x  y", "plain", " 12 ", None, "  keep  "]
        doc = self.workbook({"Data": [[v, v] for v in original]})
        self.select(doc, "A1:A5")
        log = self.run_command(doc, "btnDelExtraSpaces_15", "yes\n")
        self.assertIn("All Extra Spaces Removed from Selected Cells!", log)
        self.assertEqual(self.column(doc, "Data", "A1:A6"), ["a b", "x y", "plain", 12.0, None, "  keep  "])
        self.assertEqual(self.column(doc, "Data", "B1:B6"), original, "outside the selection")
        self.assertEqual(self.sheets(doc), [("Data_Undo", False), ("Data", True)])
        self.assertEqual(self.column(doc, "Data_Undo", "A1:A6"), original)
        self.assertFalse(doc.UndoManager.isUndoPossible(), "the run is no step of Calc's own undo list")

    def test_a_wrapped_cell_gets_the_height_of_its_cleaned_text(self):
        doc = self.workbook({"Data": [["x"]]})
        sheet = doc.Sheets.getByName("Data")
        sheet.getColumns().getByIndex(0).IsTextWrapped = True
        sheet.getCellByPosition(0, 0).setString("word          " * 30)  # Calc fits the row to it
        tall = sheet.getRows().getByIndex(0).Height
        self.select(doc, "A1")
        self.run_command(doc, "btnDelExtraSpaces_15", "yes\n")
        self.assertEqual(sheet.getCellByPosition(0, 0).getString(), ("word " * 30).strip())
        self.assertLess(sheet.getRows().getByIndex(0).Height, tall, "the row fitted to the shorter text")

    def test_a_run_leaves_calcs_undo_recording_as_it_found_it(self):
        for recording in (True, False):
            with self.subTest(recording=recording):
                doc = self.workbook({"Data": [["  a  "]]})
                doc.IsUndoEnabled = recording
                self.select(doc, "A1")
                self.run_command(doc, "btnDelExtraSpaces_15", "yes\n")
                self.assertEqual(self.column(doc, "Data", "A1:A1"), ["a"])
                self.assertEqual(doc.IsUndoEnabled, recording)

    def test_cleaned_texts_are_entered_as_typed_input(self):
        doc = self.workbook({"Data": [[" 50% "], [" 1/2/2024 "], [" true "], ["  007 "], [" 'x "]]})
        self.select(doc, "A1:A5")
        self.run_command(doc, "btnDelExtraSpaces_15", "yes\n")
        sheet = doc.Sheets.getByName("Data")
        formats = doc.NumberFormats
        from com.sun.star.util.NumberFormat import DATE, LOGICAL, PERCENT

        def cell(row):
            c = sheet.getCellByPosition(0, row)
            return c.Type.value, c.Value, c.String, formats.getByKey(c.NumberFormat).Type

        self.assertEqual(cell(0)[:2], ("VALUE", 0.5))
        self.assertTrue(cell(0)[3] & PERCENT)
        self.assertEqual(cell(1)[:2], ("VALUE", 45293.0))
        self.assertTrue(cell(1)[3] & DATE)
        self.assertEqual(cell(2)[:2], ("VALUE", 1.0))
        self.assertTrue(cell(2)[3] & LOGICAL)
        self.assertEqual(cell(3)[:2], ("VALUE", 7.0))
        self.assertEqual(cell(4)[0], "TEXT")
        self.assertEqual(cell(4)[2], "x", "a leading apostrophe keeps the rest as text")

    def test_a_dialog_closed_without_yes_changes_nothing(self):
        doc = self.workbook({"Data": [["  a  "], ["b  b"]]})
        self.select(doc, "A1:A2")
        log = self.run_command(doc, "btnDelExtraSpaces_15", "")
        self.assertEqual(log, [])
        self.assertEqual(self.column(doc, "Data", "A1:A2"), ["  a  ", "b  b"])
        self.assertEqual(self.sheets(doc), [("Data", True)])

    def test_undo_brings_the_sheet_back_and_redo_takes_it_again(self):
        doc = self.workbook({"Data": [["  a  "], ["b  b"]]})
        self.select(doc, "A1:A2")
        self.run_command(doc, "btnDelExtraSpaces_15", "yes\n")
        self.assertEqual(self.column(doc, "Data", "A1:A2"), ["a", "b b"])
        self.run_command(doc, "btnUndo_02")
        self.assertEqual(self.column(doc, "Data", "A1:A2"), ["  a  ", "b  b"])
        self.assertEqual(self.sheets(doc), [("Data", True), ("Data_Redo", False)])
        self.run_command(doc, "btnRedo_03")
        self.assertEqual(self.column(doc, "Data", "A1:A2"), ["a", "b b"])

    def test_stop_ends_the_run_after_the_cell_it_was_pressed_in(self):
        texts = ["w  %d" % i for i in range(1, 41)]
        doc = self.workbook({"Data": [[t] for t in texts]})
        self.select(doc, "A1:A40")
        self.run_command(doc, "btnDelExtraSpaces_15", "yes\nstop-after 5\n")
        cleaned = self.column(doc, "Data", "A1:A40")
        self.assertEqual(cleaned[:5], ["w %d" % i for i in range(1, 6)])
        self.assertEqual(cleaned[5:], texts[5:])

    def test_an_empty_selection_is_refused_with_the_message(self):
        doc = self.workbook({"Data": [["x"], [None], [None]]})
        self.select(doc, "C5:C9")
        log = self.run_command(doc, "btnDelExtraSpaces_15", "yes\n")
        self.assertIn("Selection is Empty!", log)
        self.assertEqual(self.column(doc, "Data", "A1:A3"), ["x", None, None])

    def test_duplicates_remove_duplicate_entries_keeping_the_first_cells_moving_up(self):
        doc = self.workbook({"Data": [["a", 1], ["b", 2], ["A", 3], ["a", 4], ["c", 5]]})
        self.select(doc, "A1:A5")
        log = self.run_command(doc, "btnDelDupsKF_25", "click optDelEmptyCells\nyes\n")
        self.assertIn("Duplicate Entries are removed in Your Selection", log)
        self.assertEqual(self.column(doc, "Data", "A1:A5"), ["a", "b", "c", None, None])
        self.assertEqual(self.column(doc, "Data", "B1:B5"), [1.0, 2.0, 3.0, 4.0, 5.0], "column B stays")

    def test_duplicates_remove_all_copies_finding_the_last_ones_with_find(self):
        # The second pass finds each entry's surviving copy with Range.Find (whole, any case).
        doc = self.workbook({"Data": [["a"], ["b"], ["A"], ["a"], ["c"], ["b"], ["a?"], ["ax"], ["a?"]]})
        self.select(doc, "A1:A9")
        self.run_command(doc, "btnDelAllDups_26", "click optDelEmptyCells\nyes\n")
        self.assertEqual(self.column(doc, "Data", "A1:A9"), ["c", "ax", None, None, None, None, None, None, None])

    def test_duplicates_by_default_take_the_whole_rows(self):
        doc = self.workbook({"Data": [["a", 1], ["b", 2], ["A", 3], ["a", 4], ["c", 5]]})
        self.select(doc, "A1:A5")
        self.run_command(doc, "btnDelDupsKF_25", "yes\n")
        self.assertEqual(self.column(doc, "Data", "A1:A5"), ["a", "b", "c", None, None])
        self.assertEqual(self.column(doc, "Data", "B1:B5"), [1.0, 2.0, 5.0, None, None])

    # --- COUNTIF answered from the host's count index ------------------------------------

    @staticmethod
    def keep_first_walk(rows, mode):
        """What Remove Duplicates, Keep First does to [entry, companion] rows, walked as the
        tool walks (from the bottom, COUNTIF of each trimmed entry over the column as it is
        then: whole cells, any case; wildcards and operators escaped by the tool)."""
        rows = [list(row) for row in rows]
        height = len(rows)
        for i in range(height - 1, -1, -1):
            text = rows[i][0]
            entry = re.sub(" +", " ", text.strip(" ")) if text else ""
            if not entry:
                continue
            count = sum(1 for row in rows[:height] if row[0] and row[0].lower() == entry.lower())
            if count <= 1:
                continue
            if mode == "optDelEntire":  # cleared, the cell stays
                rows[i][0] = None
            elif mode == "optDelEmptyCells":  # the cells below move up
                column = [row[0] for row in rows]
                del column[i]
                column.append(None)
                for row, value in zip(rows, column):
                    row[0] = value
                height -= 1
            else:  # the whole row goes
                del rows[i]
                rows.append([None, None])
                height -= 1
        return rows

    def test_duplicates_counted_from_the_index_as_calc_counts_them_in_every_mode(self):
        # Hundreds of rows make every count after the first come from the host's index, which
        # must follow each cleared cell, cell moved up and row removed.
        choices = ["a", "A", "b", "B ", "  b", "c*", "C*", "c~*", "<x", "<X", "?", "x?y", "plain text",
                   "Plain  Text", "é", "É", None]
        random = __import__("random").Random(11)
        original = [[random.choice(choices), float(r)] for r in range(300)]
        for mode in ("optDelEntire", "optDelEmptyCells", "optDelEntireIfBlank"):
            with self.subTest(mode=mode):
                doc = self.workbook({"Data": original})
                self.select(doc, "A1:A300")
                self.run_command(doc, "btnDelDupsKF_25", "click %s\nyes\n" % mode)
                expected = self.keep_first_walk(original, mode)
                self.assertEqual(self.column(doc, "Data", "A1:A300"), [row[0] for row in expected])
                self.assertEqual(self.column(doc, "Data", "B1:B300"), [row[1] for row in expected])

    def test_duplicate_rows_coloured_where_calcs_own_countif_finds_more_than_one(self):
        # Criteria Calc reads as numbers, booleans, dates or wildcards, and texts whose case Calc
        # compares its own way, side by side with plain texts: the tool's colours must follow
        # Calc's own COUNTIF, asked here through Calc's function access. (No boolean cell: Calc
        # reads one from xlsx as the formula TRUE(), and an area with a formula is Calc's to count.)
        plain = ["a", "A", "Abc", "aBC", "é", "É", "ΣΑΣ", "σας", "x~y", "x~~y", "<x", "dup", "dup", "one"]
        special = ["12", 12, "TRUE", "true", "1-2", "Jan 5", "a*", "a?c", "ſ", "s", "ﬀ", "ff", "Straße", "STRASSE"]
        functions = self.office.create("com.sun.star.sheet.FunctionAccess")
        for name, values in (("plain", plain), ("with special", plain + special)):
            with self.subTest(column=name):
                doc = self.workbook({"Data": [[v] for v in values]})
                address = "A1:A%d" % len(values)
                self.select(doc, address)
                log = self.run_command(doc, "btnColorDupRows_43", "yes\n")
                self.assertIn("Duplicate Rows are colored in Your Selection", log)
                sheet = doc.Sheets.getByName("Data")
                cells = sheet.getCellRangeByName(address)
                for row in range(len(values)):
                    cell = sheet.getCellByPosition(0, row)
                    entry = functions.callFunction("TRIM", (cell.getString(),))
                    expected = functions.callFunction("COUNTIF", (cells, entry)) > 1
                    self.assertEqual(cell.CellBackColor != -1, expected, "row %d: %r" % (row + 1, values[row]))

    def test_columnar_data_becomes_a_table_through_copy_and_paste_special_transposed(self):
        doc = self.workbook({"Data": [["a"], ["b"], ["c"], ["d"], ["e"], [12], ["g"]]})
        sheet = doc.Sheets.getByName("Data")
        sheet.getCellRangeByName("A3").CellBackColor = 0xFFFF00
        self.select(doc, "A1:A7")
        log = self.run_command(doc, "btnColtoTab_45", "set txtNthRow=3\nyes\n")
        self.assertIn("Selected Rows are Transposed into Columns!", log)
        # Blocks of 3 as rows from the row below the first, then the emptied column removed.
        rows = [[sheet.getCellByPosition(c, r).getDataArray()[0][0] for c in range(3)] for r in range(4)]
        self.assertEqual(rows, [["", "", ""], ["a", "b", "c"], ["d", "e", 12.0], ["g", "", ""]])
        self.assertEqual(sheet.getCellRangeByName("C2").CellBackColor, 0xFFFF00, "formats travel with the values")
        self.assertEqual(sheet.getCellRangeByName("B2").CellBackColor, -1)
        self.run_command(doc, "btnUndo_02")
        self.assertEqual(self.column(doc, "Data", "A1:A7"), ["a", "b", "c", "d", "e", 12.0, "g"], "Undo brings it back")

    def test_organizer_removes_entirely_blank_rows(self):
        doc = self.workbook({"Data": [["a", 1], [None, None], ["b", 2], [None, None], ["c", 3]]})
        self.select(doc, "A1:B5")
        log = self.run_command(doc, "btnDelEmptyRows_34", "yes\n")
        self.assertIn("Total  2  Entirely Blank Rows Removed!", log)
        self.assertEqual(self.column(doc, "Data", "A1:A5"), ["a", "b", "c", None, None])
        self.assertEqual(self.column(doc, "Data", "B1:B3"), [1.0, 2.0, 3.0])

    def test_organizer_colours_every_second_row_from_the_palette(self):
        doc = self.workbook({"Data": [["a"], ["b"], ["c"], ["d"]]})
        self.select(doc, "A1:A4")
        log = self.run_command(doc, "btnColorNthRows_42", "yes\n")
        self.assertIn("Every 2 Row is colored in Your Selection", log)
        sheet = doc.Sheets.getByName("Data")
        colours = [sheet.getCellByPosition(0, row).CellBackColor for row in range(4)]
        self.assertEqual(colours, [0xFFFF00, -1, 0xFFFF00, -1], "ColorIndex 6, every other row")

    def test_organizer_changes_to_upper_case(self):
        doc = self.workbook({"Data": [["abc"], ["dEf 1"]]})
        self.select(doc, "A1:A2")
        log = self.run_command(doc, "btnAllCaps_38", "yes\n")
        self.assertIn("All Selected Cells are Converted to UPPER CASE!", log)
        self.assertEqual(self.column(doc, "Data", "A1:A2"), ["ABC", "DEF 1"])

    def test_duplicate_preventer_becomes_calcs_validity_on_the_column(self):
        from com.sun.star.sheet.ValidationType import ANY, CUSTOM
        from com.sun.star.sheet.ValidationAlertStyle import STOP
        doc = self.workbook({"Data": [["a"], ["b"], ["c"]]})
        self.select(doc, "A1:A3")
        log = self.run_command(doc, "btnDupPreventer_30", "click Command1\n")
        self.assertIn("Duplicate Preventer is Activated for Selected Column", log)
        data = doc.Sheets.getByName("Data")
        rule = data.getCellRangeByName("A7").Validation
        self.assertEqual(rule.Type, CUSTOM, "the whole column is guarded")
        self.assertEqual(rule.ErrorAlertStyle, STOP)
        self.assertTrue(rule.ShowErrorMessage)
        self.assertEqual(rule.ErrorMessage, "Duplicate Entry!")
        self.assertEqual(rule.InputTitle, "Duplicate")
        self.assertIn("COUNTIF", rule.getFormula1().upper())
        self.assertEqual(data.getCellRangeByName("B1").Validation.Type, ANY, "column B has no rule")
        # Calc evaluates the rule itself: its detective marks the cells whose entry breaks it.
        self.assertFalse(data.showInvalid(), "no duplicate yet")
        data.getCellRangeByName("A5").setString("B")
        self.assertTrue(data.showInvalid(), "a second b (any case) breaks Calc's rule")
        data.getCellRangeByName("A5").setString("d")
        data.clearArrows()
        self.assertFalse(data.showInvalid())

        self.select(doc, "A1:A3")
        log = self.run_command(doc, "btnDupPreventer_30", "click optDeAct\nclick Command1\n")
        self.assertIn("Duplicate Preventer is Deactivated for Selected Column", log)
        self.assertEqual(data.getCellRangeByName("A7").Validation.Type, ANY, "the rule is gone")

    def test_remove_all_objects_takes_the_drawings_then_the_comments(self):
        doc = self.workbook({"Data": [["a", "b"], ["c", "d"]]})
        data = doc.Sheets.getByName("Data")
        page = data.getDrawPage()
        for kind, x in (("com.sun.star.drawing.RectangleShape", 1000), ("com.sun.star.drawing.TextShape", 5000),
                        ("com.sun.star.drawing.CaptionShape", 9000)):  # a callout the user drew
            shape = doc.createInstance(kind)
            page.add(shape)
            shape.setPosition(self.uno.createUnoStruct("com.sun.star.awt.Point", x, 1000))
            shape.setSize(self.uno.createUnoStruct("com.sun.star.awt.Size", 2000, 1000))
            shape.setString("shape text")
        cell = self.uno.createUnoStruct("com.sun.star.table.CellAddress", 0, 1, 1)
        data.getAnnotations().insertNew(cell, "a note on B2")
        data.getCellByPosition(1, 1).getAnnotation().setIsVisible(True)  # its callout joins the draw page
        self.select(doc, "A1")
        # The comments' box is the dialog's first check box (ticked when the dialog opens).
        log = self.run_command(doc, "btnDelAllObjects_61", "set chkCleanWhiteSpaces=false\nyes\n")
        self.assertIn("Total  3  Objects Removed from Active Sheet!", log)
        shapes = [(page.getByIndex(i).getShapeType(), page.getByIndex(i).getString()) for i in range(page.getCount())]
        self.assertEqual(shapes, [("com.sun.star.drawing.CaptionShape", "a note on B2")], "only the comment's callout")
        self.assertEqual(data.getAnnotations().getCount(), 1, "the comment stays")
        log = self.run_command(doc, "btnDelAllObjects_61", "set chkCleanWhiteSpaces=true\nyes\n")
        self.assertIn("Total  1  Objects Removed from Active Sheet!", log)
        self.assertEqual(data.getAnnotations().getCount(), 0, "the comment is gone")
        self.assertEqual(self.column(doc, "Data", "B1:B2"), ["b", "d"], "the cells stay")

    def test_count_tool_counts_the_selected_cells(self):
        doc = self.workbook({"Data": [["one two"], ["three"], ["not selected"]]})
        self.select(doc, "A1:A2")
        log = self.run_command(doc, "btnCountSelectedCells_51", "read ctrWords\nread ctrChars\nread ctrCharsSpaces\n")
        self.assertEqual(log, ["ctrWords: 3", "ctrChars: 11", "ctrCharsSpaces: 12"])
        self.assertEqual(self.sheets(doc), [("Data", True)], "counting changes nothing")

    def test_the_menu_is_in_calcs_configuration(self):
        provider = self.office.create("com.sun.star.configuration.ConfigurationProvider")
        from com.sun.star.beans import PropertyValue
        path = PropertyValue()
        path.Name = "nodepath"
        path.Value = "/org.openoffice.Office.Addons/AddonUI/OfficeMenuBar"
        menus = provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", (path,))
        self.assertIn("org.cellwash.calc.CellwashKit.Tab", menus.getElementNames())
        menu = menus.getByName("org.cellwash.calc.CellwashKit.Tab")
        self.assertEqual(menu.Title, "Cellwash")
        urls = []

        def walk(node):
            for name in node.Submenu.getElementNames():
                item = node.Submenu.getByName(name)
                urls.append(item.URL)
                if item.URL == "":
                    walk(item)
        walk(menu)
        self.assertIn("vnd.cellwash:btnDelExtraSpaces_15", urls)
        self.assertIn("vnd.cellwash:btnDelDupsKF_25", urls)
        self.assertIn("vnd.cellwash:btnCountActiveSheet_49", urls)

        path.Value = "/org.openoffice.Office.Addons/AddonUI/OfficeToolBar/org.cellwash.calc.toolbar"
        toolbar = provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", (path,))
        buttons = [toolbar.getByName(name).URL for name in sorted(toolbar.getElementNames())]
        self.assertEqual(buttons, ["vnd.cellwash:btnUndo_02", "private:separator", "vnd.cellwash:btnRedo_03",
                                   "private:separator", "vnd.cellwash:btnAbout_55", "vnd.cellwash:btnExit_57",
                                   "private:separator", "vnd.cellwash:btnHelp_58", "private:separator",
                                   "vnd.cellwash:btnFeedback_59"],
                         "the ribbon's plain buttons parted as the menu parts them; no menus")

    def test_switching_to_hindi_relabels_the_menu_and_back(self):
        import unohelper
        from com.sun.star.frame import XStatusListener

        class Listener(unohelper.Base, XStatusListener):
            def __init__(self):
                self.labels = []

            def statusChanged(self, event):
                self.labels.append(event.State)

            def disposing(self, source):
                pass

        doc = self.workbook({"Data": [["a"]]})
        frame = doc.getCurrentController().getFrame()
        listeners = {}
        for control in ("btnUndo_02", "mnuTextCleaner_05"):
            url = self.uno.createUnoStruct("com.sun.star.util.URL")
            url.Complete = "vnd.cellwash:" + control
            _, url = self.office.create("com.sun.star.util.URLTransformer").parseStrict(url)
            listeners[control] = (frame.queryDispatch(url, "", 0), url, Listener())
            dispatch, url, listener = listeners[control]
            dispatch.addStatusListener(listener, url)
        english = {control: entry[2].labels[-1] for control, entry in listeners.items()}
        self.assertEqual(english["btnUndo_02"], "Undo")
        try:
            self.run_command(doc, "language:Hi")
            for control, (_, _, listener) in listeners.items():
                label = listener.labels[-1]
                self.assertNotEqual(label, english[control], control)
                self.assertTrue(any("\u0900" <= c <= "\u097f" for c in label), "%s in Devanagari: %r" % (control, label))
        finally:
            self.run_command(doc, "language:En")
        for control, (dispatch, url, listener) in listeners.items():
            self.assertEqual(listener.labels[-1], english[control], "English again")
            dispatch.removeStatusListener(listener, url)

    def test_the_commands_tell_their_label_and_state_as_undo_and_redo_change_it(self):
        import unohelper
        from com.sun.star.frame import XStatusListener

        class Listener(unohelper.Base, XStatusListener):
            def __init__(self):
                self.events = []

            def statusChanged(self, event):
                self.events.append((event.IsEnabled, event.State))

            def disposing(self, source):
                pass

        doc = self.workbook({"Data": [["  a  "]]})
        frame = doc.getCurrentController().getFrame()
        transformer = self.office.create("com.sun.star.util.URLTransformer")
        url = self.uno.createUnoStruct("com.sun.star.util.URL")
        url.Complete = "vnd.cellwash:btnUndo_02"
        _, url = transformer.parseStrict(url)
        dispatch = frame.queryDispatch(url, "", 0)
        self.assertIsNotNone(dispatch)
        listener = Listener()
        dispatch.addStatusListener(listener, url)
        self.assertEqual(len(listener.events), 1, "a new listener hears the state at once")
        self.assertEqual(listener.events[-1][1], "Undo")
        self.select(doc, "A1")
        self.run_command(doc, "btnDelExtraSpaces_15", "yes\n")
        self.assertEqual(listener.events[-1], (True, "Undo"))
        self.run_command(doc, "btnUndo_02")
        self.assertEqual(listener.events[-1], (False, "Undo"), "after Undo only Redo is lit")
        dispatch.removeStatusListener(listener, url)
        self.run_command(doc, "btnRedo_03")
        self.assertEqual(listener.events[-1], (False, "Undo"), "a removed listener hears nothing more")


if __name__ == "__main__":
    skip_or_fail_early()
    OXT = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[2:])
