# shellcheck shell=bash
# Named checks for the shell tests, sourced by them: each check says PASS or FAIL with its name,
# and report_checks prints the count and fails when any check failed.

passes=0
failures=0

# check NAME CONDITION: evaluates the shell text CONDITION; a true one passes.
check() {
    if eval "$2"; then
        echo "PASS: $1"
        passes=$((passes + 1))
    else
        echo "FAIL: $1"
        failures=$((failures + 1))
    fi
}

# report_checks: the counts; fails when a check failed.
report_checks() {
    echo "$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}
