#!/usr/bin/env python3
"""Reads a Cabrillo file with the ARRL's TrustedQSL library (Debian trustedqsl), the reader
Logbook of the World signs contest logs with, and prints each QSO record as the library parsed
it, one line a record: NAME=VALUE fields separated by blanks. Exits 1 with the library's message
when it refuses the file. CALL_FIELD is the number of the QSO line's field that holds the call
worked (1 is the frequency), and hf or vhf how it reads the frequency field, as an operator
tells TrustedQSL for a contest it does not know.
    read_cabrillo.py FILE.log CALL_FIELD hf|vhf"""
import ctypes
import sys

LIBRARY = "/usr/lib/trustedqsl/libtqsllib.so"
NO_ERROR, EOF, EOR = 0, 1, 6
CONTEST_TYPES = {"hf": 0, "vhf": 1}


class Field(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char * 65), ("value", ctypes.c_char * 41)]


def contest_of(path):
    """The first word of the CONTEST: line, the name TrustedQSL looks contests up by."""
    with open(path, encoding="ascii") as log:
        for line in log:
            if line.startswith("CONTEST:"):
                return line.split()[1]
    sys.exit(f"{path} has no CONTEST: line")


def main(path, call_field, contest_type):
    tqsl = ctypes.CDLL(LIBRARY)
    tqsl.tqsl_cabrilloGetError.restype = ctypes.c_char_p
    tqsl.tqsl_getErrorString.restype = ctypes.c_char_p
    tqsl.tqsl_getCabrilloContest.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    tqsl.tqsl_getCabrilloField.argtypes = [ctypes.c_void_p, ctypes.POINTER(Field),
                                           ctypes.POINTER(ctypes.c_int)]
    tqsl.tqsl_getCabrilloLine.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int)]
    error_number = ctypes.c_int.in_dll(tqsl, "tQSL_Cabrillo_Error")

    def fail(what):
        detail = tqsl.tqsl_cabrilloGetError(error_number.value).decode()
        sys.exit(f"TrustedQSL refuses {path}: {what}: {detail} "
                 f"({tqsl.tqsl_getErrorString().decode()})")

    if tqsl.tqsl_init() != 0:
        sys.exit("TrustedQSL does not start: " + tqsl.tqsl_getErrorString().decode())
    if tqsl.tqsl_setCabrilloMapEntry(contest_of(path).encode(), call_field,
                                     CONTEST_TYPES[contest_type]) != 0:
        sys.exit("TrustedQSL takes no Cabrillo contest: " + tqsl.tqsl_getErrorString().decode())
    cabrillo = ctypes.c_void_p()
    if tqsl.tqsl_beginCabrillo(ctypes.byref(cabrillo), path.encode()) != 0:
        fail("start of log")
    contest = ctypes.create_string_buffer(100)
    tqsl.tqsl_getCabrilloContest(cabrillo, contest, len(contest))
    print("CONTEST=" + contest.value.decode())
    record = []
    while True:
        field = Field()
        status = ctypes.c_int(NO_ERROR)
        if tqsl.tqsl_getCabrilloField(cabrillo, ctypes.byref(field), ctypes.byref(status)) != 0:
            line = ctypes.c_int()
            tqsl.tqsl_getCabrilloLine(cabrillo, ctypes.byref(line))
            fail(f"line {line.value}")
        if status.value == EOF:
            break
        if status.value == EOR:
            print(" ".join(record))
            record = []
            continue
        record.append(f"{field.name.decode()}={field.value.decode()}")
    tqsl.tqsl_endCabrillo(ctypes.byref(cabrillo))


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]), sys.argv[3])
