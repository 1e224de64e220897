#!/usr/bin/env python3
"""Checks an EDI file against the REG1TEST format (IARU Region 1, contests above 30 MHz) as its
public description writes it, and recounts its claimed score under the IARU Region 1 VHF
contest rules: a contact counts with a 6-character locator received; each station (fixed,
portable or mobile alike) once a band, later contacts with it are duplicates ("D", 0 points);
a contact that does not count makes no later one a duplicate; points are the whole kilometres
of the great circle (111.2 km a degree) between the centres of the two locators, plus one.
Written from those rules alone, apart from the program that writes the files. Prints each fault
and exits 1 when there is one.
    check_reg1test.py FILE.edi"""
import math
import re
import sys
from datetime import date

HEADER_KEYS = ["TName", "TDate", "PCall", "PWWLo", "PExch", "PAdr1", "PAdr2", "PSect", "PBand",
               "PClub", "RName", "RCall", "RAdr1", "RAdr2", "RPoCo", "RCity", "RCoun", "RPhon",
               "RHBBS", "MOpe1", "MOpe2", "STXEq", "SPowe", "SRXEq", "SAnte", "SAntH", "CQSOs",
               "CQSOP", "CWWLs", "CWWLB", "CExcs", "CExcB", "CDXCs", "CDXCB", "CToSc", "CODXC"]
BANDS = ["50 MHz", "70 MHz", "144 MHz", "145 MHz", "432 MHz", "435 MHz", "1,3 GHz", "2,3 GHz",
         "3,4 GHz", "5,7 GHz", "10 GHz", "24 GHz", "47 GHz", "76 GHz"]
SECTIONS = re.compile(r"^(.*SINGLE.*|.*MULTI.*|SO.*|MO.*|CHECK ?LOG)$", re.IGNORECASE)
CALL = re.compile(r"^[A-Z0-9/]{3,14}$")
LOCATOR6 = re.compile(r"^[A-R]{2}[0-9]{2}[A-X]{2}$")
LOCATOR4 = re.compile(r"^[A-R]{2}[0-9]{2}$")
PORTABLE = re.compile(r"/(P|M|MM|AM|A)$")
faults = []


def fault(line, what):
    faults.append(f"line {line}: {what}" if line else f"header: {what}")


def centre(locator):
    lon = (ord(locator[0]) - 65) * 20 - 180 + int(locator[2]) * 2 + (ord(locator[4]) - 65 + 0.5) / 12
    lat = (ord(locator[1]) - 65) * 10 - 90 + int(locator[3]) + (ord(locator[5]) - 65 + 0.5) / 24
    return math.radians(lat), math.radians(lon)


def points(own, other):
    (la1, lo1), (la2, lo2) = centre(own), centre(other)
    cosine = math.sin(la1) * math.sin(la2) + math.cos(la1) * math.cos(la2) * math.cos(lo1 - lo2)
    km = math.degrees(math.acos(max(-1.0, min(1.0, cosine)))) * 111.2
    return int(km) + 1, int(km)


def check_header(lines):
    header = {}
    if lines[0] != "[REG1TEST;1]":
        fault(1, "the first line is not [REG1TEST;1]")
    for number, line in enumerate(lines[1:], start=2):
        if line.startswith("["):
            break
        key, _, value = line.partition("=")
        if key in header:
            fault(number, f"{key} given twice")
        header[key] = value
    for key in HEADER_KEYS:
        if key not in header:
            fault(None, f"no {key} line")
    days = header.get("TDate", "").split(";")
    try:
        first, last = (date(int(d[:4]), int(d[4:6]), int(d[6:])) for d in days)
        if last < first:
            fault(None, "TDate ends before it begins")
    except (ValueError, IndexError):
        fault(None, f"TDate \"{header.get('TDate')}\" is not YYYYMMDD;YYYYMMDD")
    if not CALL.match(header.get("PCall", "")):
        fault(None, f"PCall \"{header.get('PCall')}\" is not a call")
    if not LOCATOR6.match(header.get("PWWLo", "")):
        fault(None, f"PWWLo \"{header.get('PWWLo')}\" is not a 6-character locator")
    if not SECTIONS.match(header.get("PSect", "")):
        fault(None, f"PSect \"{header.get('PSect')}\" is not a section")
    if header.get("PBand") not in BANDS:
        fault(None, f"PBand \"{header.get('PBand')}\" is not a band of the format")
    if not CALL.match(header.get("RCall", "")):
        fault(None, f"RCall \"{header.get('RCall')}\" is not a call")
    return header


def check_fields(number, f):
    rules = [(r"\d{6}", "date"), (r"([01]\d|2[0-3])[0-5]\d", "time"), (CALL.pattern[1:-1], "call"),
             (r"\d?", "mode code"), (r"(\d{2,3})?", "sent report"), (r"(\d{3,4})?", "sent number"),
             (r"(\d{2,3})?", "received report"), (r"(\d{3,4})?", "received number"),
             (r"\w{0,6}", "received exchange"), (r"([A-R]{2}\d{2}([A-X]{2})?)?", "locator"),
             (r"\d{1,6}", "points"), (r"N?", "new exchange"), (r"N?", "new locator"),
             (r"N?", "new country"), (r"D?", "duplicate")]
    for value, (pattern, name) in zip(f, rules):
        if not re.fullmatch(pattern, value):
            fault(number, f"{name} \"{value}\" is not as the format writes it")


def recount(header, records):
    own = header.get("PWWLo", "")
    worked, squares = set(), set()
    total, valid, farthest = 0, 0, None
    for number, f in records:
        station = PORTABLE.sub("", f[2])
        expected_points, duplicate, new_square = 0, station in worked, False
        if not duplicate and LOCATOR6.match(f[9]) and LOCATOR6.match(own):
            expected_points, km = points(own, f[9])
            worked.add(station)
            new_square = f[9][:4] not in squares
            squares.add(f[9][:4])
            valid += 1
            total += expected_points
            if farthest is None or km > farthest[2]:
                farthest = (f[2], f[9], km)
        if f[10] != str(expected_points):
            fault(number, f"{f[2]} claims {f[10]} points; the rules give {expected_points}")
        if (f[14] == "D") != duplicate:
            fault(number, f"{f[2]} is {'' if duplicate else 'not '}a duplicate")
        if (f[12] == "N") != new_square:
            fault(number, f"{f[2]} is {'' if new_square else 'not '}a new square")
    claims = {"CQSOs": f"{valid};1", "CQSOP": str(total), "CToSc": str(total),
              "CWWLs": f"{len(squares)};0;1",
              "CODXC": ";".join(map(str, farthest)) if farthest else ""}
    for key, value in claims.items():
        if header.get(key) != value:
            fault(None, f"{key}={header.get(key)}; the recount gives {value}")


def main(path):
    with open(path, "rb") as edi:
        raw = edi.read()
    if b"\r\n" not in raw or raw.replace(b"\r\n", b"").find(b"\n") >= 0:
        fault(None, "the lines do not end in CR LF")
    lines = raw.decode("utf-8").split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    header = check_header(lines)
    start = next((i for i, line in enumerate(lines) if line.startswith("[QSORecords;")), None)
    if start is None:
        sys.exit("\n".join(faults + ["no [QSORecords;N] line"]))
    if not lines[-1].startswith("[END;"):
        fault(len(lines), "the last line is not [END;...]")
    body = lines[start + 1:-1]
    if lines[start] != f"[QSORecords;{len(body)}]":
        fault(start + 1, f"{lines[start]} but {len(body)} records follow")
    records = []
    for offset, line in enumerate(body):
        number, fields = start + 2 + offset, line.split(";")
        if len(fields) != 15:
            fault(number, f"{len(fields)} fields, not 15")
            continue
        check_fields(number, fields)
        records.append((number, fields))
    recount(header, records)
    for line in faults:
        print(f"{path}: {line}")
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main(sys.argv[1])
