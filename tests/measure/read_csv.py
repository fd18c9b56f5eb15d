"""Reads a measurement CSV with Python's own csv module, as a spreadsheet
import would: code page 932, CR LF line ends. Prints the line ends found,
then one row a line with its fields separated by tabs, in UTF-8."""
import csv
import sys

data = open(sys.argv[1], "rb").read()
lf = data.count(b"\n")
crlf = data.count(b"\r\n")
print("CRLF" if lf == crlf == data.count(b"\r") and data.endswith(b"\r\n") else "not CRLF")
with open(sys.argv[1], encoding="cp932", newline="") as f:
    for row in csv.reader(f):
        print("\t".join(row))
