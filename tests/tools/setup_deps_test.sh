#!/usr/bin/env bash
# tools/setup-deps.sh on a fake PATH: `id`, `dpkg-query`, `sudo` and
# `apt-get` are stand-ins that record what they were asked, so nothing is
# ever installed. One package is missing; each case checks the exit code,
# what was printed and what was run.
# Usage: setup_deps_test.sh path/to/setup-deps.sh
set -u
script=$1
bash_bin=$(command -v bash)
work=$(mktemp -d "${TMPDIR:-/tmp}/setup-deps-test-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

fail()
{
  echo "FAIL [$case_name]: $*"
  echo "--- output:"; cat "$work/out"
  echo "--- run:"; cat "$work/ran" 2>/dev/null
  failures=$((failures + 1))
}

# A fake bin folder: uid $1, the package $2 missing ("" none), sudo as $3
# (none, refuses, or allows).
make_bin()
{
  local bin=$work/bin
  rm -rf "$bin" "$work/ran"
  mkdir -p "$bin"
  for tool in grep cat env; do ln -s "$(command -v $tool)" "$bin/$tool"; done
  printf '#!%s\n[ "$1" = -u ] && echo %s\n' "$bash_bin" "$1" >"$bin/id"
  printf '#!%s\n[ "${@: -1}" = "%s" ] && exit 1\nprintf "install ok installed"\n' "$bash_bin" "$2" >"$bin/dpkg-query"
  printf '#!%s\necho "apt-get $*" >>"%s/ran"\n' "$bash_bin" "$work" >"$bin/apt-get"
  case $3 in
    refuses) printf '#!%s\necho "sudo $*" >>"%s/ran"\nexit 1\n' "$bash_bin" "$work" >"$bin/sudo" ;;
    allows) printf '#!%s\necho "sudo $*" >>"%s/ran"\n[ "$1" = -n ] && shift\n[ "$1" = true ] && exit 0\n"$@"\n' \
      "$bash_bin" "$work" >"$bin/sudo" ;;
  esac
  chmod +x "$bin"/*
}

run()
{
  PATH=$work/bin "$bash_bin" "$script" </dev/null >"$work/out" 2>&1
}

case_name="user without sudo"
make_bin 1000 xvfb none
run; code=$?
[ $code -eq 1 ] || fail "exit $code, not 1"
grep -qx '  *apt-get update && apt-get install -y --no-install-recommends xvfb' "$work/out" ||
  fail "no apt-get line to run as root"
[ ! -e "$work/ran" ] || fail "something was run"

case_name="user whose sudo wants a password, no terminal"
make_bin 1000 xvfb refuses
run; code=$?
[ $code -eq 1 ] || fail "exit $code, not 1"
grep -qx '  *apt-get update && apt-get install -y --no-install-recommends xvfb' "$work/out" ||
  fail "no apt-get line to run as root"
grep -q apt-get "$work/ran" && fail "apt-get was run"

case_name="user whose sudo needs no password"
make_bin 1000 xvfb allows
run; code=$?
[ $code -eq 0 ] || fail "exit $code, not 0"
grep -q 'apt-get install -y -qq --no-install-recommends xvfb$' "$work/ran" || fail "xvfb was not installed"

case_name="root"
make_bin 0 xvfb none
run; code=$?
[ $code -eq 0 ] || fail "exit $code, not 0"
grep -q 'apt-get install -y -qq --no-install-recommends xvfb$' "$work/ran" || fail "xvfb was not installed"

case_name="nothing missing"
make_bin 1000 "" none
run; code=$?
[ $code -eq 0 ] || fail "exit $code, not 0"
[ ! -s "$work/out" ] || fail "printed something"

case_name="xauth is not asked for"
grep -qw xauth "$script" && fail "xauth is still in the package list"

[ $failures -eq 0 ] && echo "setup-deps: all cases pass"
exit $((failures > 0))
