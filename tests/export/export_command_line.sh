#!/usr/bin/env bash
# Runs the built vandrel-export as an operator would and checks exit codes and files: a file is
# written whole or not at all, errors go to standard error.
#   export_command_line.sh VANDREL_EXPORT DATA_DIR
set -uo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
program=$1
data=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
export XDG_CONFIG_HOME=$work/config # no station file but the ones the checks write

# A run that would block (a FIFO opened for reading) is ended, and fails its check.
run() { timeout 20 "$program" "$@" >out.txt 2>err.txt; echo $? >status.txt; }
status() { [ "$(cat status.txt)" = "$1" ]; }

vhf=(--call Q9XYZ --locator JN61FW --band 144 --date-format dd/MM/yyyy)

run "${vhf[@]}" --contest "Summer VHF" --skip-bad --per-band bands "$data/vhf-contest.txt"
check "per band: exit 0" 'status 0'
check "per band: one EDI file per band" '[ "$(ls bands)" = "$(printf "2m.edi\n70cm.edi")" ]'
check "per band: same bytes as expected but the version" \
    'diff <(sed "s/^\[END;.*\]/[END;]/" bands/2m.edi) <(sed "s/^\[END;.*\]/[END;]/" "$data/vhf-contest-2m.edi")'
check "per band: nothing on standard output" '[ ! -s out.txt ]'
check "per band: the bad line on standard error" 'grep -q "^vandrel-export: line 6: " err.txt'

run -f adif "${vhf[@]}" --skip-bad -o log.adi "$data/vhf-contest.txt"
check "-o: exit 0 and the file" 'status 0 && [ "$(grep -c "<EOR>" log.adi)" = 8 ]'

run -f cabrillo --call Q9XYZ --band 14 --date-format M/d/yy "$data/hf-contest.txt"
check "standard output: Cabrillo" 'status 0 && grep -q "^START-OF-LOG: 3.0" out.txt && grep -q "^END-OF-LOG:" out.txt'

cp "$data/vhf-contest.txt" vandrel.txt
printf 'old\n' >kept.edi
run "${vhf[@]}" --per-band bands2 -o kept.edi
check "bad usage: exit 2" 'status 2 && grep -q -- "--per-band" err.txt'
run "${vhf[@]}" -o kept.edi vandrel.txt
check "bad line without --skip-bad: exit 1" 'status 1 && grep -q "line 6: a time that is not HHMM" err.txt'
check "bad line without --skip-bad: old output kept" '[ "$(cat kept.edi)" = old ]'
run "${vhf[@]}" -o new.edi vandrel.txt
check "bad line without --skip-bad: no new output" '[ ! -e new.edi ] && [ -z "$(ls -A | grep -v -e vandrel.txt -e kept.edi -e out.txt -e err.txt -e status.txt -e log.adi -e bands)" ]'
run --locator JN61FW vandrel.txt
check "missing --call: exit 2" 'status 2 && grep -q "call is required" err.txt'
run "${vhf[@]}" missing.txt
check "missing log file: exit 1" 'status 1 && grep -q "cannot read missing.txt" err.txt'
chmod 000 vandrel.txt
if [ "$(id -u)" != 0 ]; then
    run "${vhf[@]}" -o unreadable.edi vandrel.txt
    check "unreadable log file: exit 1, no output" 'status 1 && [ ! -e unreadable.edi ]'
fi
chmod 644 vandrel.txt
run "${vhf[@]}" -o folder.edi bands
check "a folder for a log file: exit 1, no output" 'status 1 && grep -q "cannot read bands" err.txt && [ ! -e folder.edi ]'
run "${vhf[@]}" --skip-bad -f adif -o vandrel.txt/log.adi vandrel.txt
check "output under a file: exit 1" 'status 1 && grep -q "cannot write vandrel.txt/log.adi" err.txt'
mkdir readonly && chmod 555 readonly
if [ "$(id -u)" != 0 ]; then
    run "${vhf[@]}" --skip-bad -f adif -o readonly/log.adi vandrel.txt
    check "unwritable output: exit 1" 'status 1 && [ ! -e readonly/log.adi ]'
fi
run "${vhf[@]}" --skip-bad --per-band vandrel.txt vandrel.txt
check "--per-band onto a file: exit 1" 'status 1 && [ "$(head -c 3 vandrel.txt)" = 001 ]'

# The log file is read as "Open" reads it: a regular file, lines no longer than "Open" takes.
run "${vhf[@]}" -o zero.edi /dev/zero
check "/dev/zero for a log file: exit 1, no output" \
    'status 1 && grep -q "cannot read /dev/zero: not a regular file" err.txt && [ ! -e zero.edi ]'
mkfifo fifo.txt
run "${vhf[@]}" -o fifo.edi fifo.txt
check "a FIFO for a log file: exit 1 at once, no output" \
    'status 1 && grep -q "cannot read fifo.txt: not a regular file" err.txt && [ ! -e fifo.edi ]'
{ cat "$data/vhf-contest.txt"; head -c 70000 /dev/zero | tr '\0' A; printf '\r\n'; } >long-line.txt
run "${vhf[@]}" --skip-bad -o long.edi long-line.txt
check "a line longer than Open takes: exit 1, no output" \
    'status 1 && grep -q "line 12 is longer than 65536 characters" err.txt && [ ! -e long.edi ]'

# A file-size limit (ulimit -f) fails the write and says so: the program is not killed, and no
# cut file takes the output's name.
(ulimit -f 1 && run "${vhf[@]}" --skip-bad -f adif -o limited.adi vandrel.txt)
check "a file-size limit: exit 1, told, no output" \
    'status 1 && grep -q "cannot write limited.adi: File too large" err.txt && [ ! -e limited.adi ]'

# Files are written only as regular files, never through another user's link.
if [ "$(id -u)" = 0 ] && mknod node c 1 3 2>/dev/null; then
    run "${vhf[@]}" --skip-bad -f adif -o node vandrel.txt
    check "-o naming a device node: exit 1, the node kept" \
        'status 1 && grep -q "cannot write node: not a regular file" err.txt && [ -c node ]'
    mkdir devices && mknod devices/2m.edi c 1 3
    run "${vhf[@]}" --skip-bad --per-band devices vandrel.txt
    check "--per-band onto a device node: exit 1, the node kept" \
        'status 1 && [ -c devices/2m.edi ] && [ ! -e devices/70cm.edi ]'
fi
if [ "$(id -u)" = 0 ] && id nobody >/dev/null 2>&1; then
    ln -s planted.adi foreign.adi && chown -h nobody foreign.adi
    run "${vhf[@]}" --skip-bad -f adif -o foreign.adi vandrel.txt
    check "-o through another user's link: exit 1, nothing written" \
        'status 1 && grep -q "cannot write foreign.adi: a link to .*planted.adi that belongs to another user" err.txt && [ ! -e planted.adi ]'
fi
ln -s own-target.adi own.adi
run "${vhf[@]}" --skip-bad -f adif -o own.adi vandrel.txt
check "-o through the user's own link: the target written" \
    'status 0 && [ -L own.adi ] && grep -q "<EOR>" own-target.adi'

# Every station value is checked against its format's rules.
run -f cabrillo --call "Q9 XYZ" --band 14 --date-format M/d/yy "$data/hf-contest.txt"
check "a call of two words: exit 2" \
    'status 2 && grep -q "call \"Q9 XYZ\" is not a call" err.txt && [ ! -s out.txt ]'
run -f adif --call "Q9XYZ$(printf '\303\204')" --band 14 --date-format M/d/yy "$data/hf-contest.txt"
check "a call outside ASCII: exit 2" 'status 2 && grep -q "is not a call" err.txt && [ ! -s out.txt ]'
run -f adif --call "Q9XYZ" --contest "$(printf 'Summer\033[2J')" --band 14 "$data/hf-contest.txt"
check "a contest name with an escape: exit 2, shown escaped" \
    'status 2 && grep -qF "\"Summer\\e[2J\" is not one line" err.txt && ! grep -q "$(printf "\033")" err.txt'

# A bad line is shown with its control characters made visible.
{ cat "$data/vhf-contest.txt"; printf 'QRT\033[31m red\nsecond\r\n'; } >escapes.txt
run "${vhf[@]}" --skip-bad -f adif escapes.txt
check "a bad line with escape and line feed bytes: shown escaped" \
    'status 0 && grep -qF "line 12: no sent number followed by \"-+-\": QRT\\e[31m red\\nsecond" err.txt && ! grep -q "$(printf "\033")" err.txt'

# Sent numbers go past 9999.
printf '9999-+-16/07/2016---1345---Q1ABC---59---012---JN80XW-->144 Mhz\r\n10000-+-16/07/2016---1346---Q2DEF---59---013---JN61FW-->144 Mhz\r\n' >past9999.txt
run -f adif "${vhf[@]}" past9999.txt
check "a five-digit sent number: a contact" \
    'status 0 && [ "$(grep -c "<EOR>" out.txt)" = 2 ] && grep -q "<STX_STRING:5>10000" out.txt'

# A log saved as dd/MM/yy read as M/d/yy: dates a month apart, said in every format.
printf '001-+-05/07/26---2350---Q1ABC---59---012---JN80XW-->144 Mhz\r\n002-+-06/07/26---0005---Q2DEF---59---013---JN61FW-->144 Mhz\r\n' >swapped.txt
for format in edi cabrillo adif; do
    run -f "$format" "${vhf[@]}" --date-format M/d/yy -o "swapped.$format" swapped.txt
    check "day and month swapped, $format: a warning" \
        'status 0 && grep -q "dates span 31 days, from 2026-05-07 (line 1) to 2026-06-07 (line 2)" err.txt'
    run -f "$format" "${vhf[@]}" --date-format dd/MM/yy -o "right.$format" swapped.txt
    check "the log's own date format, $format: no warning" 'status 0 && [ ! -s err.txt ]'
done

run --version
check "--version" 'status 0 && grep -qx "vandrel-export [0-9.]*" out.txt'
run --help
check "--help names every option" \
    'status 0 && for o in --format -o --per-band --call --locator --contest --mode --band --date-format --skip-bad --contest-dates --station-file --section --name --help --version; do grep -q -- "$o" out.txt || exit 1; done'
# The help text joined into one line, as the wrapped phrases read.
help_text() { tr -s ' \n' '  ' <out.txt; }
check "--help: the default log is the window's" \
    'help_text | grep -qF "default: the log the window saves, vandrel.txt in the user"'
check "--help: the default date format in words, not this machine's" \
    'help_text | grep -qF "default: the short date format of the current locale)"'

report_checks
