#!/usr/bin/env bash
# The files vandrel-export writes, fed as they are to readers written apart from Vandrel:
#   EDI       check_reg1test.py, the REG1TEST format and the IARU Region 1 VHF contest rules as
#             their public descriptions write them, with a recount of the claimed points (no
#             REG1TEST checker runs here without a screen or PyPI);
#   Cabrillo  the ARRL's TrustedQSL library (Debian trustedqsl), which reads the fields, and
#             tlf's Cabrillo import (Debian tlf), which reads them by the columns of the QSO
#             template (the HF log with tlf's own UNIVERSAL template, the VHF log with its
#             exchange column widened to the number and the locator);
#   ADIF      adif-parser-ts (npm), installed into the build tree.
# Each reads the files of a VHF and an HF log, and the expected files of tst_export_formats.
#   independent_readers.sh VANDREL_EXPORT DATA_DIR READERS_DIR NPM_DIR
set -uo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
program=$1
data=$2
readers=$3
npm_dir=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME=$work XDG_CONFIG_HOME=$work/config

if [ ! -d "$npm_dir/node_modules/adif-parser-ts" ]; then
    npm install --prefix "$npm_dir" --no-audit --no-fund --silent adif-parser-ts@0.7.7 ||
        { echo "FAIL: npm cannot install adif-parser-ts"; exit 1; }
fi

# The station's data typed once, where the exporter looks for it.
mkdir -p config/vandrel
cat >config/vandrel/station.ini <<'INI'
[station]
call=Q9XYZ
locator=JN61FW
name=Ada Example
address1=1 Hill Road
address2=Upper Flat
postcode=12345
city=Sometown
country=Nowhere
email=q9xyz@example.org
phone=+99 123 4567
club=Q9ABC
operators=Q9XYZ
power=100
antenna=2 x 9 el. Yagi
antenna-height="12;450"
tx-equipment=Transverter
rx-equipment=Transverter
remarks=Fine weather
INI

export_log() { "$program" "$@" 2>/dev/null; }
edi_ok() { python3 "$readers/check_reg1test.py" "$1" >"$work/$(basename "$1").faults"; }
cabrillo() { python3 "$readers/read_cabrillo.py" "$@"; }
adif() { node "$readers/read_adif.mjs" "$npm_dir/node_modules" "$1"; }

# EDI: every file of the VHF log, and the expected ones, pass the format and the recount.
export_log --band 144 --date-format dd/MM/yyyy --skip-bad --contest "Summer VHF" --per-band edi \
    "$data/vhf-contest.txt"
for file in edi/2m.edi edi/70cm.edi "$data"/*.edi; do
    check "EDI $(basename "$file"): REG1TEST and the recount find no fault" "edi_ok '$file'"
    cat "$work/$(basename "$file").faults"
done
check "EDI: the station file fills the header" \
    'tr -d "\r" <edi/2m.edi | grep -qx "RName=Ada Example" && tr -d "\r" <edi/2m.edi | grep -qx "SAntH=12;450" && tr -d "\r" <edi/2m.edi | grep -qx "PSect=SINGLE"'

# Cabrillo: TrustedQSL reads back every contact of each log, field for field.
export_log -f cabrillo --band 144 --date-format dd/MM/yyyy --skip-bad --contest SUMMER-VHF \
    -o vhf.log "$data/vhf-contest.txt"
cat >vhf-cabrillo.expected <<'READ'
CONTEST=SUMMER-VHF
CALL=Q1ABC BAND=2M MODE=SSB QSO_DATE=2016-07-16 TIME_ON=1345 FREQ=144.000000
CALL=Q2DEF BAND=2M MODE=SSB QSO_DATE=2016-07-16 TIME_ON=1352 FREQ=144.000000
CALL=Q1ABC BAND=2M MODE=SSB QSO_DATE=2016-07-16 TIME_ON=1410 FREQ=144.000000
CALL=Q1ABC BAND=70CM MODE=SSB QSO_DATE=2016-07-16 TIME_ON=1415 FREQ=432.000000
CALL=Q3GHI BAND=2M MODE=SSB QSO_DATE=2016-07-17 TIME_ON=0905 FREQ=144.000000
CALL=Q4JKL BAND=2M MODE=SSB QSO_DATE=2016-07-17 TIME_ON=0910 FREQ=144.000000
CALL=Q5MNO BAND=2M MODE=SSB QSO_DATE=2016-07-17 TIME_ON=0930 FREQ=144.000000
CALL=Q6PQR BAND=70CM MODE=SSB QSO_DATE=2016-07-17 TIME_ON=1002 FREQ=432.000000
READ
check "Cabrillo VHF: TrustedQSL reads every contact" \
    'diff <(cabrillo vhf.log 9 vhf) vhf-cabrillo.expected'
export_log -f cabrillo --band 14 --date-format M/d/yy --contest CQ-WPX-SSB -o hf.log \
    "$data/hf-contest.txt"
cat >hf-cabrillo.expected <<'READ'
CONTEST=CQ-WPX-SSB
CALL=Q1ABC BAND=20M MODE=SSB QSO_DATE=2016-07-16 TIME_ON=1345 FREQ=14.000000
CALL=Q2DEF BAND=15M MODE=SSB QSO_DATE=2016-07-16 TIME_ON=1347 FREQ=21.000000
CALL=Q7STU BAND=20M MODE=SSB QSO_DATE=2016-07-16 TIME_ON=1350 FREQ=14.000000
READ
check "Cabrillo HF: TrustedQSL reads every contact" \
    'diff <(cabrillo hf.log 8 hf) hf-cabrillo.expected'
check "Cabrillo HF expected file: TrustedQSL reads it" \
    'diff <(cabrillo "$data/hf-contest.log" 8 hf | tail -n +2) <(tail -n +2 hf-cabrillo.expected)'

# The Cabrillo QSO template: "QSO:", frequency in columns 6-10, mode 12, date 15, time 26, call
# 31, report 45, exchange 49, call 56, report 70, exchange 74; every QSO line with as many fields.
template_columns() {
    awk '/^QSO:/ { line = $0; sub(/\r$/, "", line); starts = "";
                   for (i = 2; i <= length(line); i++)
                       if (substr(line, i, 1) != " " && substr(line, i - 1, 1) == " ") starts = starts " " i;
                   print starts }' "$1" | sort -u
}
check "Cabrillo HF: the fields in the template's columns" \
    '[ "$(template_columns hf.log)" = "$(template_columns "$data/hf-contest.log")" ] && [[ "$(template_columns hf.log)" =~ ^\ (6|7|8|9|10)\ 12\ 15\ 26\ 31\ 45\ 49\ 56\ 70\ 74$ ]]'
check "Cabrillo VHF: every QSO line starts its fields in the same columns" \
    '[ "$(template_columns vhf.log | wc -l)" = 1 ]'
check "Cabrillo VHF: every QSO line has the same number of fields" \
    '[ "$(awk "/^QSO:/ { print NF }" vhf.log | sort -u)" = 13 ]'

# tlf imports YOURCALL.cbr into its own log, reading each QSO line by the template's columns
# (a line whose fields stand elsewhere stops it); it wants a terminal of 25 lines or more.
tlf_import() { # DIRECTORY CABRILLO_FILE CONTEST
    mkdir -p "$1/rules" && cp "$2" "$1/Q9XYZ.cbr"
    printf 'CALL=Q9XYZ\nCONTEST=%s\n' "$3" >"$1/logcfg.dat"
    (cd "$1" && TERM=xterm timeout 60 script -qec "stty rows 30 cols 100; tlf -i -r -n" /dev/null \
        </dev/null >tlf.out 2>&1)
    cat "$1"/IMPORT_*.log # named after the contest's log file
}
cat >hf-tlf.expected <<'READ'
 20SSB 16-Jul-16 13:45 0001  Q1ABC          59   59   012                    0
 15SSB 16-Jul-16 13:47 0002  Q2DEF          59   59   003                    0
 20SSB 16-Jul-16 13:50 0003  Q7STU          59   59   015                    0
READ
check "Cabrillo HF: tlf imports every contact by the template's columns" \
    'diff <(tlf_import tlf-hf hf.log contest | sed "s/ *$//") hf-tlf.expected'
mkdir -p tlf-vhf/rules
printf '[VHFGRID]\nQSO=FREQ,5;MODE,2;DATE,10;TIME,4;MYCALL,13;RST_S,3;EXC_S,13;HISCALL,13;RST_R,3;EXCH,13\n' \
    >tlf-vhf/cabrillo.fmt
printf 'CONTEST=vhfgrid\nLOGFILE=vhfgrid.log\nCABRILLO=VHFGRID\nCONTEST_MODE\n' >tlf-vhf/rules/vhfgrid
cat >vhf-tlf.expected <<'READ'
???SSB 16-Jul-16 13:45 0001  Q1ABC          59   59   012    JN80XW          0
???SSB 16-Jul-16 13:52 0002  Q2DEF          59   59   007    JN61FW          0
???SSB 16-Jul-16 14:10 0003  Q1ABC          59   59   013    JN80XW          0
???SSB 16-Jul-16 14:15 0004  Q1ABC          59   59   014    JN80XW          0
???SSB 17-Jul-16 09:05 0005  Q3GHI          59   59   021    JN62            0
???SSB 17-Jul-16 09:10 0006  Q4JKL          59   59   003    JN61AB          0
???SSB 17-Jul-16 09:30 0007  Q5MNO          59   59   044    JN8             0
???SSB 17-Jul-16 10:02 0008  Q6PQR          59   59   101    JN61FX          0
READ
check "Cabrillo VHF: tlf imports every contact by the template's columns (bands above 30 MHz unknown to it)" \
    'diff <(tlf_import tlf-vhf vhf.log vhfgrid | sed "s/ *$//") vhf-tlf.expected'

# ADIF: adif-parser-ts reads back every field of every contact.
export_log -f adif --band 144 --date-format dd/MM/yyyy --skip-bad --contest "SUMMER-VHF" \
    -o vhf.adi "$data/vhf-contest.txt"
station='MY_GRIDSQUARE=JN61FW OPERATOR=Q9XYZ'
cat >vhf-adif.expected <<READ
BAND=2m CALL=Q1ABC CONTEST_ID=SUMMER-VHF GRIDSQUARE=JN80XW MODE=SSB $station QSO_DATE=20160716 RST_RCVD=59 RST_SENT=59 SRX_STRING=012 STATION_CALLSIGN=Q9XYZ STX_STRING=001 TIME_ON=1345
BAND=2m CALL=Q2DEF CONTEST_ID=SUMMER-VHF GRIDSQUARE=JN61FW MODE=SSB $station QSO_DATE=20160716 RST_RCVD=59 RST_SENT=59 SRX_STRING=007 STATION_CALLSIGN=Q9XYZ STX_STRING=002 TIME_ON=1352
BAND=2m CALL=Q1ABC CONTEST_ID=SUMMER-VHF GRIDSQUARE=JN80XW MODE=SSB $station QSO_DATE=20160716 RST_RCVD=59 RST_SENT=59 SRX_STRING=013 STATION_CALLSIGN=Q9XYZ STX_STRING=003 TIME_ON=1410
BAND=70cm CALL=Q1ABC CONTEST_ID=SUMMER-VHF GRIDSQUARE=JN80XW MODE=SSB $station QSO_DATE=20160716 RST_RCVD=59 RST_SENT=59 SRX_STRING=014 STATION_CALLSIGN=Q9XYZ STX_STRING=004 TIME_ON=1415
BAND=2m CALL=Q3GHI CONTEST_ID=SUMMER-VHF GRIDSQUARE=JN62 MODE=SSB $station QSO_DATE=20160717 RST_RCVD=59 RST_SENT=59 SRX_STRING=021 STATION_CALLSIGN=Q9XYZ STX_STRING=006 TIME_ON=0905
BAND=2m CALL=Q4JKL CONTEST_ID=SUMMER-VHF GRIDSQUARE=JN61AB MODE=SSB $station QSO_DATE=20160717 RST_RCVD=59 RST_SENT=59 SRX_STRING=003 STATION_CALLSIGN=Q9XYZ STX_STRING=007 TIME_ON=0910
BAND=2m CALL=Q5MNO CONTEST_ID=SUMMER-VHF MODE=SSB $station QSO_DATE=20160717 RST_RCVD=59 RST_SENT=59 SRX_STRING=044 STATION_CALLSIGN=Q9XYZ STX_STRING=008 TIME_ON=0930
BAND=70cm CALL=Q6PQR CONTEST_ID=SUMMER-VHF GRIDSQUARE=JN61FX MODE=SSB $station QSO_DATE=20160717 RST_RCVD=59 RST_SENT=59 SRX_STRING=101 STATION_CALLSIGN=Q9XYZ STX_STRING=009 TIME_ON=1002
READ
check "ADIF VHF: adif-parser-ts reads every field of every contact" \
    'diff <(adif vhf.adi | tail -n +2) vhf-adif.expected'
export_log -f adif --band 14 --date-format M/d/yy --contest CQ-WPX-SSB --locator "" -o hf.adi \
    "$data/hf-contest.txt"
cat >hf-adif.expected <<'READ'
BAND=20m CALL=Q1ABC CONTEST_ID=CQ-WPX-SSB MODE=SSB OPERATOR=Q9XYZ QSO_DATE=20160716 RST_RCVD=59 RST_SENT=59 SRX_STRING=012 STATION_CALLSIGN=Q9XYZ STX_STRING=001 TIME_ON=1345
BAND=15m CALL=Q2DEF CONTEST_ID=CQ-WPX-SSB MODE=SSB OPERATOR=Q9XYZ QSO_DATE=20160716 RST_RCVD=59 RST_SENT=59 SRX_STRING=003 STATION_CALLSIGN=Q9XYZ STX_STRING=002 TIME_ON=1347
BAND=20m CALL=Q7STU CONTEST_ID=CQ-WPX-SSB MODE=SSB OPERATOR=Q9XYZ QSO_DATE=20160716 RST_RCVD=59 RST_SENT=59 SRX_STRING=015 STATION_CALLSIGN=Q9XYZ STX_STRING=003 TIME_ON=1350
READ
check "ADIF HF: adif-parser-ts reads every field of every contact" \
    'diff <(adif hf.adi | tail -n +2) hf-adif.expected'
check "ADIF expected file: adif-parser-ts reads its eight contacts" \
    '[ "$(adif "$data/vhf-contest.adi" | tail -n +2 | grep -c "^BAND=")" = 8 ]'

report_checks
