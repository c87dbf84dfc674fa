#!/usr/bin/python3
"""The whole road a user takes, file to file, through the cellwash binary.

Generates once (cached under ~/.cache/cellwash-bench) a 1,048,576-row workbook: column A
holds 524,288 entries each twice, column B texts like "  Alpha   beta 12  ". Then times,
each as one run of the binary (load, dialog, tool, save): a load alone, a dry run and a
saving run of remove-extra-spaces (also without the undo copy), remove-duplicates-keep-first in
its three deletion modes, remove-duplicates-all, remove-uniques-all, remove-rows,
change-to-upper-case and color-duplicate-rows,
and reports the largest peak memory of those runs and how much larger the output is than
the input. One line per figure, `name: value unit`.

Usage: cli_road.py PATH-TO-cellwash
"""
import os
import subprocess
import sys
import tempfile
import time

ROWS = 1_048_576
CACHE = os.path.join(os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")), "cellwash-bench")
WORKBOOK = os.path.join(CACHE, "road-1M.xlsx")


def generate():
    if os.path.exists(WORKBOOK):
        return
    import openpyxl
    os.makedirs(CACHE, exist_ok=True)
    print(f"(writing {WORKBOOK} once; takes a minute)", file=sys.stderr, flush=True)
    book = openpyxl.Workbook(write_only=True)
    sheet = book.create_sheet("Data")
    for r in range(ROWS):
        sheet.append([f"item-{r % (ROWS // 2):06d}", f"  Alpha   beta {r % 977}  "])
    partial = WORKBOOK + ".part"
    book.save(partial)
    os.replace(partial, WORKBOOK)


def run(exe, args):
    """Seconds and peak resident memory (MB) of one run; fails loudly on a non-zero exit."""
    start = time.perf_counter()
    child = subprocess.Popen([exe, *args], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    stderr = child.stderr.read().decode(errors="replace")
    child.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"cli_road: {' '.join(args)} failed: {stderr.strip()[-400:]}")
    return seconds, usage.ru_maxrss / 1024


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    exe = sys.argv[1]
    generate()
    out_dir = tempfile.mkdtemp(prefix="cellwash-road-")
    out = os.path.join(out_dir, "out.xlsx")
    column_a, column_b = ["--select", f"A1:A{ROWS}"], ["--select", f"B1:B{ROWS}"]
    both = ["--select", f"A1:B{ROWS}"]
    steps = [
        ("cli_load_1M", ["show", WORKBOOK, "--range", "A1:B2"], False),
        ("cli_dry_run_remove_extra_spaces_1M", ["run", "removeExtraSpaces", WORKBOOK, *column_b], False),
        ("cli_remove_extra_spaces_1M", ["run", "removeExtraSpaces", WORKBOOK, *column_b, "-o", out], True),
        ("cli_remove_duplicates_keep_first_1M",
         ["run", "removeDuplicatesKeepFirst", WORKBOOK, *column_a, "--mode", "clear", "-o", out], True),
        ("cli_remove_duplicates_keep_first_entire_rows_1M",
         ["run", "removeDuplicatesKeepFirst", WORKBOOK, *column_a, "--mode", "entire-row", "-o", out], True),
        ("cli_remove_duplicates_keep_first_shift_up_1M",
         ["run", "removeDuplicatesKeepFirst", WORKBOOK, *column_a, "--mode", "shift-up", "-o", out], True),
        ("cli_remove_duplicates_all_1M", ["run", "removeDuplicatesAll", WORKBOOK, *column_a, "-o", out], True),
        ("cli_remove_uniques_all_1M", ["run", "removeUniquesAll", WORKBOOK, *column_a, "-o", out], True),
        ("cli_remove_rows_1M", ["run", "removeRows", WORKBOOK, *both, "-o", out], True),
        ("cli_change_to_upper_case_1M", ["run", "changeToUpperCase", WORKBOOK, *column_b, "-o", out], True),
        ("cli_color_duplicate_rows_1M", ["run", "colorDuplicateRows", WORKBOOK, *column_a, "-o", out], True),
        ("cli_remove_extra_spaces_no_undo_copy_1M",
         ["run", "removeExtraSpaces", WORKBOOK, *column_b, "--no-undo-copy", "-o", out], True),
    ]
    peak, largest_output, plain_output = 0.0, 0, 0
    for name, args, saves in steps:
        seconds, memory = run(exe, args)
        print(f"{name}: {seconds:.2f} s", flush=True)
        peak = max(peak, memory)
        if saves:
            size = os.path.getsize(out)
            if "--no-undo-copy" in args:
                plain_output = size
            else:
                largest_output = max(largest_output, size)
            os.remove(out)
    print(f"cli_peak_memory_1M: {peak:.0f} MB")
    print(f"cli_output_size_ratio_1M: {largest_output / os.path.getsize(WORKBOOK):.2f} x")
    print(f"cli_output_size_ratio_no_undo_copy_1M: {plain_output / os.path.getsize(WORKBOOK):.2f} x")
    os.rmdir(out_dir)


if __name__ == "__main__":
    main()
