#!/usr/bin/env bash
# Runs each test of a GoogleTest program that a filter selects in a process of its
# own, for tests that leave state behind (the X keyboard focus) that could disturb
# the next: gtest-each.sh [--between <command>] <filter> <command that runs the
# program...>. The command given with --between runs after each test (under Wine:
# stopping the prefix's server, whose windows and focus outlive the program). Fails
# when the filter selects no test or a test fails.
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
for test in "${tests[@]}"; do
    "$@" --gtest_filter="$test" || status=1
    [ -z "$between" ] || bash -c "$between" || { echo "gtest-each.sh: '$between' failed after $test" >&2; status=1; }
done
exit "$status"
