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

run() { "$program" "$@" >out.txt 2>err.txt; echo $? >status.txt; }
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
