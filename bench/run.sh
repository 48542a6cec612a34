#!/usr/bin/env bash
# Measures varnel against the floor of its work and prints the figures.
#   bench/run.sh [WORK_DIR]     (default: a fresh directory under /tmp, ~1.2 GB)
# Needs hyperfine and GNU time (Debian: hyperfine, time); installs them as root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

need=()
command -v hyperfine >/dev/null || need+=(hyperfine)
[ -x /usr/bin/time ] || need+=(time)
command -v cc >/dev/null || need+=(gcc)
if [ ${#need[@]} -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "bench: install ${need[*]}" >&2; exit 1; }
  apt-get update -qq && apt-get install -y -qq "${need[@]}" >/dev/null
fi

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
work=${1:-$(mktemp -d /tmp/varnel-bench.XXXXXX)}
mkdir -p "$work/run"
cc -O2 -o "$work/floor" bench/floor.c
cp build/release/varnel "$work/run/varnel"
run=$work/run
varnel=$run/varnel
floor=$work/floor

echo "== machine"
echo "$(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), $(free -g | awk '/Mem:/ {print $2}') GiB; $(uname -sr)"
echo "varnel $(git -C "$root" describe --always --dirty 2>/dev/null), g++ $(g++ -dumpversion), release build"

echo "== data"
# 100 MB of ordinary lines, 20 to 120 characters each.
[ -f "$work/lines" ] || awk 'BEGIN { srand(7); while (n < 100000000) {
    len = 20 + int(rand() * 100); s = sprintf("%08d ", NR++);
    while (length(s) < len) s = s "SMTP relay reply text ";
    s = substr(s, 1, len); print s; n += len + 1 } }' >"$work/lines"
for size in 1M 100M 1G; do
  [ -f "$work/one-line-$size" ] || head -c "$size" /dev/zero | tr '\0' 'x' >"$work/one-line-$size"
done
ls -l "$work"/lines "$work"/one-line-*

markers() {  # markers DETAIL: start and finish present, DETAIL as outcome 3
  echo "ln -f '$1' '$run/E3.\$\$\$'; : > '$run/E5.\$\$\$'; : > '$run/E6.\$\$\$'"
}

echo "== echo of 100 MB of lines into a pipe"
hyperfine --warmup 1 --runs 10 --export-markdown "$work/echo.md" \
  --prepare "$(markers "$work/lines")" \
  -n varnel "'$varnel' | cat >/dev/null" \
  -n "C loop" "'$floor' <'$work/lines' | cat >/dev/null" \
  -n sed "sed 's/^/[ERROR#] /' '$work/lines' | cat >/dev/null"

echo "== peak RSS against the size of a one-line detail file"
for size in 1M 100M 1G; do
  eval "$(markers "$work/one-line-$size")"
  /usr/bin/time -f "$size: %M KiB peak RSS, %e s" "$varnel" >/dev/null || [ $? -eq 3 ]
done

echo "== CPU time over a 10-second finish wait"
: >"$run/E5.\$\$\$"
(sleep 10; : >"$run/E6.\$\$\$") &
# wait4 gives this one process's CPU time in microseconds (/usr/bin/time
# counts in 10 ms); posix_spawn runs no Python code in the child.
python3 - "$varnel" <<'PY'
import os, sys, time
started = time.monotonic()
pid = os.posix_spawn(sys.argv[1], sys.argv[1:], os.environ,
                     file_actions=[(os.POSIX_SPAWN_OPEN, 1, "/dev/null", os.O_WRONLY, 0)])
_, _, usage = os.wait4(pid, 0)
elapsed = time.monotonic() - started
cpu = (usage.ru_utime + usage.ru_stime) * 1000
print("%.2f s elapsed, %.3f ms of CPU in all (start-up included): %.3f ms per second of waiting"
      % (elapsed, cpu, cpu / elapsed))
PY
wait

echo "== a whole run without waiting, against the C loop on an empty file"
hyperfine -N --warmup 20 --runs 300 --export-markdown "$work/nowait.md" \
  --prepare "sh -c \": > '$run/E5.\$\$\$'; : > '$run/E6.\$\$\$'\"" \
  -n varnel "$varnel" \
  -n "C loop" "$floor"

echo "== tables: $work/echo.md $work/nowait.md"
cat "$work/echo.md" "$work/nowait.md"
