# The reference for the xlsx export: openpyxl's write-only mode writing the
# same cells (texts) as the program's workbook. Reading the workbook is not
# timed; only building and saving the new one is.
import sys
import time

import openpyxl

source, target = sys.argv[1], sys.argv[2]
rows = [[c for c in row] for row in openpyxl.load_workbook(source, read_only=True).active.values]

start = time.perf_counter()
wb = openpyxl.Workbook(write_only=True)
ws = wb.create_sheet()
for row in rows:
    ws.append(row)
wb.save(target)
print(f"{time.perf_counter() - start:.6f}")
