#!/usr/bin/env bash
# Runs each test of a GoogleTest program that a filter selects in a process of its
# own, for tests that leave state behind (the X keyboard focus) that could disturb
# the next: gtest-each.sh [--between <command>] <filter> <command that runs the
# program...>. The command given with --between runs after each test (under Wine:
# stopping the prefix's server, whose windows and focus outlive the program). Fails
# when the filter selects no test or a test fails twice in a row.
set -euo pipefail
between=""
if [ "$1" = --between ]; then
    between="$2"
    shift 2
fi
filter="$1"
shift
listing=$("$@" --gtest_list_tests --gtest_filter="$filter") || {
    echo "gtest-each.sh: listing the tests failed:" >&2
    echo "$listing" >&2
    exit 1
}
tests=() suite=""
while IFS= read -r line; do
    line="${line%$'\r'}"  # Windows programs end their lines with CR LF
    case "$line" in
        "  "*) name="${line#  }"; tests+=("$suite${name%%  #*}") ;;
        *.|*".  #"*) suite="${line%%  #*}" ;;
    esac
done <<<"$listing"
[ "${#tests[@]}" -gt 0 ] || { echo "gtest-each.sh: the filter $filter selects no test" >&2; exit 1; }
status=0
run_between() {
    [ -z "$between" ] || bash -c "$between" || { echo "gtest-each.sh: '$between' failed after $1" >&2; status=1; }
}
# A test that fails is run once more, and counts as failed when it fails again:
# Wine can end a process that passed with an X error of a window that real input
# was still reaching as the process closed it.
for test in "${tests[@]}"; do
    if ! "$@" --gtest_filter="$test"; then
        run_between "$test"
        echo "gtest-each.sh: $test failed; running it once more" >&2
        "$@" --gtest_filter="$test" || status=1
    fi
    run_between "$test"
done
exit "$status"
