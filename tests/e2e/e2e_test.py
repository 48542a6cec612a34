#!/usr/bin/env python3
"""End-to-end tests: run the real varnel executable the way a user does.

Each test copies the executable into a fresh temporary directory (the
markers live beside it), lays out marker files, runs it and checks the
exact bytes of standard output, the exit code and the markers left.

    e2e_test.py --binary PATH [--launcher CMD] [--crlf] [unittest args...]

--launcher runs the executable through another program (wine for the
Windows build); --crlf expects every line feed to reach standard output as
carriage return and line feed, as a Windows console program writes it.
"""
import argparse
import os
import re
import shlex
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time
import unittest


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--binary", required=True, help="the varnel executable to test")
    parser.add_argument("--launcher", default="", help="command that runs the executable")
    parser.add_argument("--crlf", action="store_true", help="expect CR LF line ends")
    parser.add_argument("--sim", default="", help="varnel-sim, to play the sending program")
    return parser.parse_known_args()


# Read before the tests are defined: some are skipped under a launcher.
ARGS, UNITTEST_ARGS = parse_arguments()
BINARY = os.path.abspath(ARGS.binary)
LAUNCHER = shlex.split(ARGS.launcher)
CRLF = ARGS.crlf
SIM = os.path.abspath(ARGS.sim) if ARGS.sim else ""

BANNER = b"\nVarnel v.1.2 SMS sending status monitor, (c) 2026 the Varnel developers\n\n"
WAITING = b"[STATUS] Waiting for SMS start"
SENDING = b"[STATUS] Message sending"
TIMEOUT = b"[ERROR#] Timeout. SMS was't start\n"
OUTCOME_TEXT = {
    0: b"\n[STATUS] Message sended successful\n",
    1: b"\n[ERROR#] Dial-up connection failed\n",
    2: b"\n[STATUS] Connecting to SMTP-server fail\n",
    3: b"\n[STATUS] Message sending fail\n",
    4: b"\n[ERROR#] Name not found\n",
}
TAG = b"[ERROR#] "
RUN_TIMEOUT = 60  # seconds; no run that ends by itself comes near it


def console(text):
    """The bytes that reach standard output for `text` written by varnel."""
    return text.replace(b"\n", b"\r\n") if CRLF else text


def outcome_report(outcome, detail=b"", start_dots=0, finish_dots=0):
    return console(BANNER + WAITING + b"." * start_dots + b"\n" + SENDING + b"." * finish_dots +
                   OUTCOME_TEXT[outcome] + detail)


def timeout_report():
    return console(BANNER + WAITING + b"." * 20 + b"\n" + TIMEOUT)


def tagged(*pieces):
    return b"".join(TAG + p for p in pieces)


def default_signals():
    # A user's console delivers Ctrl+C with its default effect, whatever the
    # shell that started the test suite ignores.
    signal.signal(signal.SIGINT, signal.SIG_DFL)


def system_path_length(path):
    """The length of `path` as the executable sees it (Wine maps / to Z:\\)."""
    return len(path) + (2 if LAUNCHER else 0)


class Install:
    """A copy of varnel in a directory of its own, where its markers live.

    The directory's name has a blank in it, as many Windows paths do."""

    def __init__(self, test, dirname="varnel dir"):
        self.root = tempfile.mkdtemp(prefix="varnel-e2e-")
        test.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.dir = os.path.join(self.root, dirname)
        os.makedirs(self.dir)
        self.exe = os.path.join(self.dir, os.path.basename(BINARY))
        shutil.copy2(BINARY, self.exe)

    def marker(self, index):
        return os.path.join(self.dir, "E%d.$$$" % index)

    def put(self, *indexes, content=b""):
        for index in indexes:
            with open(self.marker(index), "wb") as f:
                f.write(content)

    def left(self):
        """The indexes of the markers that remain as files."""
        return {i for i in range(1, 7) if os.path.isfile(self.marker(i))}

    def command(self, exe=None, args=()):
        return LAUNCHER + [exe or self.exe] + list(args)

    def run(self, args=(), exe=None, cwd=None, stdout=subprocess.PIPE, **kwargs):
        proc = subprocess.run(self.command(exe, args), stdout=stdout, stdin=subprocess.DEVNULL,
                              cwd=cwd or self.root, timeout=RUN_TIMEOUT, **kwargs)
        return proc.returncode, proc.stdout

    def start(self):
        return LiveRun(self.command(), self.root)

    def sim(self, *args):
        """Starts varnel-sim on this directory."""
        return subprocess.Popen(LAUNCHER + [SIM, "--dir", self.dir] + list(args),
                                stdin=subprocess.DEVNULL, cwd=self.root)


class LiveRun:
    """A run whose standard output is read, with arrival times, while it goes on."""

    def __init__(self, command, cwd):
        self.proc = subprocess.Popen(command, stdout=subprocess.PIPE, stdin=subprocess.DEVNULL,
                                     cwd=cwd, preexec_fn=default_signals)
        self.chunks = []  # (monotonic time, bytes)
        self.lock = threading.Condition()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        fd = self.proc.stdout.fileno()
        while True:
            data = os.read(fd, 4096)
            with self.lock:
                self.chunks.append((time.monotonic(), data))
                self.lock.notify_all()
            if not data:
                return

    def output(self):
        with self.lock:
            return b"".join(d for _, d in self.chunks)

    def wait_for(self, pattern, timeout=30):
        """The arrival time of the chunk that completed `pattern`."""
        deadline = time.monotonic() + timeout
        with self.lock:
            while True:
                seen = b""
                for when, data in self.chunks:
                    seen += data
                    if pattern in seen:
                        return when
                left = deadline - time.monotonic()
                if left <= 0 or (self.chunks and not self.chunks[-1][1]):
                    raise AssertionError("never saw %r in %r" % (pattern, seen))
                self.lock.wait(left)

    def finish(self, timeout=RUN_TIMEOUT):
        code = self.proc.wait(timeout)
        self.reader.join(timeout)
        self.proc.stdout.close()
        return code

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.finish()


class OutcomesTest(unittest.TestCase):
    def test_success_without_any_wait(self):
        v = Install(self)
        v.put(5, 6)
        started = time.monotonic()
        self.assertEqual(v.run(), (0, outcome_report(0)))
        self.assertLess(time.monotonic() - started, 0.7 if not LAUNCHER else 10)
        self.assertEqual(v.left(), set())

    def test_each_failure_outcome(self):
        detail = b"SMTP: 550 relay denied\r\nsecond line\r\n"
        echoed = tagged(b"SMTP: 550 relay denied\n", b"second line\n") + b"\n"
        for outcome in (1, 2, 3, 4):
            with self.subTest(outcome=outcome):
                v = Install(self)
                v.put(5, 6)
                v.put(outcome, content=detail)
                self.assertEqual(v.run(),
                                 (outcome, outcome_report(outcome, echoed if outcome in (2, 3) else b"")))
                self.assertEqual(v.left(), set())

    def test_lowest_outcome_marker_wins_and_all_are_removed(self):
        v = Install(self)
        v.put(1, 2, 3, 4, 5, 6, content=b"detail\n")
        self.assertEqual(v.run(), (1, outcome_report(1)))
        self.assertEqual(v.left(), set())
        v.put(2, 3, 4, 5, 6, content=b"two\n")
        self.assertEqual(v.run(), (2, outcome_report(2, tagged(b"two\n") + b"\n")))
        self.assertEqual(v.left(), set())

    def test_directory_named_like_a_marker_is_absent_and_stays(self):
        v = Install(self)
        os.mkdir(v.marker(1))
        v.put(2, content=b"why\n")
        v.put(5, 6)
        self.assertEqual(v.run(), (2, outcome_report(2, tagged(b"why\n") + b"\n")))
        self.assertTrue(os.path.isdir(v.marker(1)))
        self.assertEqual(v.left(), set())

    def test_other_files_in_the_directory_are_left_alone(self):
        v = Install(self)
        v.put(5, 6)
        others = ["E7.$$$", "E0.$$$", "e5.$$$" if not LAUNCHER else "E55.$$$", "E5.$$$.bak", "notes.txt"]
        for name in others:
            open(os.path.join(v.dir, name), "wb").close()
        self.assertEqual(v.run()[0], 0)
        self.assertEqual(sorted(os.listdir(v.dir)),
                         sorted(others + [os.path.basename(v.exe)]))


DETAIL_CASES = [
    # (name, file bytes, echoed bytes before the closing line end)
    ("empty", b"", b""),
    ("sub first", b"\x1aabc\n", b""),
    ("one line", b"abc\n", tagged(b"abc\n")),
    ("no final line feed", b"abc\ndef", tagged(b"abc\n", b"def")),
    ("crlf", b"ab\r\ncd\r\n", tagged(b"ab\n", b"cd\n")),
    ("cr cr lf and lone cr", b"ab\r\r\nc\rd\n", tagged(b"ab\n", b"cd\n")),
    ("empty line", b"\nz\n", tagged(b"\n", b"z\n")),
    ("253", b"x" * 253 + b"\n", tagged(b"x" * 253 + b"\n")),
    ("254", b"x" * 254 + b"\n", tagged(b"x" * 254, b"\n")),
    ("600", b"y" * 600 + b"\n", tagged(b"y" * 254, b"y" * 254, b"y" * 92 + b"\n")),
    ("254 at the end", b"x" * 254, tagged(b"x" * 254)),
    ("nul mid piece", b"ab\0cd\nef\n", tagged(b"ab", b"ef\n")),
    ("nul first", b"\0abc\nz\n", tagged(b"z\n")),
    ("sub mid line", b"ab\ncd\x1aef\ngh\n", tagged(b"ab\n", b"cd")),
    ("other bytes", b"\t\x01\x7f\x80\xfe\xff\x1b[0m\n", tagged(b"\t\x01\x7f\x80\xfe\xff\x1b[0m\n")),
]


class DetailTest(unittest.TestCase):
    def test_echo_of_detail_files(self):
        for name, text, echoed in DETAIL_CASES:
            for outcome in (2, 3):
                with self.subTest(name=name, outcome=outcome):
                    v = Install(self)
                    v.put(5, 6)
                    v.put(outcome, content=text)
                    self.assertEqual(v.run(), (outcome, outcome_report(outcome, echoed + b"\n")))
                    self.assertEqual(v.left(), set())

    def test_large_detail_file(self):
        v = Install(self)
        lines = [b"line %06d %s\n" % (i, b"z" * (i % 300)) for i in range(5000)]
        v.put(5, 6)
        v.put(3, content=b"".join(lines))
        expected = b""
        for line in lines:
            while len(line) > 254:
                expected += TAG + line[:254]
                line = line[254:]
            expected += TAG + line
        self.assertEqual(v.run(), (3, outcome_report(3, expected + b"\n")))

    @unittest.skipIf(LAUNCHER, "POSIX file types")
    def test_a_detail_file_that_is_no_regular_file_is_skipped(self):
        # A FIFO would block an open and /dev/zero would never end: neither
        # is a detail file the sending program writes, so neither is read.
        for kind in ("fifo", "device"):
            with self.subTest(kind=kind):
                v = Install(self)
                v.put(5, 6)
                if kind == "fifo":
                    os.mkfifo(v.marker(3))
                else:
                    os.symlink("/dev/zero", v.marker(3))
                self.assertEqual(v.run(), (3, outcome_report(3)))
                self.assertFalse(os.path.lexists(v.marker(3)))


class InvocationTest(unittest.TestCase):
    def test_arguments_and_current_directory_are_ignored(self):
        v = Install(self)
        elsewhere = tempfile.mkdtemp(prefix="varnel-cwd-")
        self.addCleanup(shutil.rmtree, elsewhere, ignore_errors=True)
        for i in (1, 5, 6):
            open(os.path.join(elsewhere, "E%d.$$$" % i), "wb").close()
        v.put(5, 6)
        v.put(4)
        code, out = v.run(args=["--help", "/?", "E1.$$$", elsewhere], cwd=elsewhere)
        self.assertEqual((code, out), (4, outcome_report(4)))
        self.assertEqual(v.left(), set())
        self.assertEqual(sorted(os.listdir(elsewhere)), ["E1.$$$", "E5.$$$", "E6.$$$"])

    def test_an_executable_path_longer_than_255_characters(self):
        # 258 characters: past the 255 of a fixed buffer, still within what
        # the Windows ANSI file calls take (259), so it holds for both builds.
        probe = Install(self)
        # The length of the path around the directory's name.
        around = system_path_length(probe.root) + len(os.sep + os.sep + os.path.basename(probe.exe))
        for length in [258] if LAUNCHER else [258, 1200]:
            with self.subTest(length=length):
                left, parts = length - around, []
                while left > 200:  # components of at most 199 characters
                    parts.append("d" * 199)
                    left -= 200
                parts.append("d" * left)
                v = Install(self, dirname=os.path.join(*parts))
                self.assertEqual(system_path_length(v.exe), length)
                v.put(5, 6)
                v.put(4)
                self.assertEqual(v.run(), (4, outcome_report(4)))
                self.assertEqual(v.left(), set())

    def test_started_by_a_relative_name(self):
        v = Install(self)
        v.put(5, 6)
        rel = os.path.join(".", os.path.basename(v.dir), os.path.basename(v.exe))
        self.assertEqual(v.run(exe=rel, cwd=v.root), (0, outcome_report(0)))
        self.assertEqual(v.left(), set())

    @unittest.skipIf(LAUNCHER, "found through PATH by the shell")
    def test_started_through_the_search_path(self):
        v = Install(self)
        v.put(5, 6)
        env = dict(os.environ, PATH=v.dir + os.pathsep + os.environ.get("PATH", ""))
        self.assertEqual(v.run(exe=os.path.basename(v.exe), env=env), (0, outcome_report(0)))
        self.assertEqual(v.left(), set())

    @unittest.skipIf(LAUNCHER, "POSIX symbolic links")
    def test_a_symbolic_link_leads_to_the_real_executable_s_directory(self):
        v = Install(self)
        link_dir = os.path.join(v.root, "links")
        os.mkdir(link_dir)
        link = os.path.join(link_dir, "varnel")
        os.symlink(v.exe, link)
        open(os.path.join(link_dir, "E5.$$$"), "wb").close()
        v.put(5, 6)
        self.assertEqual(v.run(exe=link), (0, outcome_report(0)))
        self.assertEqual(v.left(), set())
        self.assertEqual(sorted(os.listdir(link_dir)), ["E5.$$$", "varnel"])


class StreamsTest(unittest.TestCase):
    """Standard output that refuses writes changes neither the exit code nor the clean-up."""

    def layout(self):
        v = Install(self)
        v.put(5, 6)
        v.put(3, content=b"a detail line\n" * 1000)
        return v

    def test_standard_output_closed(self):
        v = self.layout()
        code, _ = v.run(stdout=None, preexec_fn=lambda: os.close(1))
        self.assertEqual(code, 3)
        self.assertEqual(v.left(), set())

    def test_standard_output_on_a_full_device(self):
        v = self.layout()
        with open("/dev/full", "wb") as full:
            code, _ = v.run(stdout=full)
        self.assertEqual(code, 3)
        self.assertEqual(v.left(), set())

    def test_standard_output_into_a_pipe_whose_reader_has_gone(self):
        v = self.layout()
        read_end, write_end = os.pipe()
        os.close(read_end)
        try:
            code, _ = v.run(stdout=write_end)
        finally:
            os.close(write_end)
        self.assertEqual(code, 3)
        self.assertEqual(v.left(), set())

    def test_output_into_a_file_is_the_same_bytes(self):
        v = self.layout()
        path = os.path.join(v.root, "report.txt")
        with open(path, "wb") as f:
            code, _ = v.run(stdout=f)
        with open(path, "rb") as f:
            self.assertEqual(f.read(),
                             outcome_report(3, tagged(*[b"a detail line\n"] * 1000) + b"\n"))
        self.assertEqual(code, 3)


class TimingTest(unittest.TestCase):
    def test_one_dot_per_second_each_before_its_sleep(self):
        v = Install(self)
        run = v.start()
        self.addCleanup(run.kill)
        head = run.wait_for(console(BANNER) + WAITING)
        dots = [run.wait_for(WAITING + b"." * k) for k in (1, 2, 3)]
        v.put(5)  # seen by the 4th poll, a second after the 3rd dot
        sending = run.wait_for(SENDING)
        finish_dots = [run.wait_for(SENDING + b"." * k) for k in (1, 2)]
        v.put(6)
        self.assertEqual(run.finish(), 0)
        self.assertEqual(run.output(), outcome_report(0, start_dots=3, finish_dots=2))
        self.assertEqual(v.left(), set())
        # The first dot of each wait is out before its one-second sleep ends,
        # and the following ones come a second apart.
        self.assertLess(dots[0] - head, 0.7)
        self.assertLess(finish_dots[0] - sending, 0.7)
        for wait in (dots, finish_dots):
            for earlier, later in zip(wait, wait[1:]):
                self.assertGreater(later - earlier, 0.7)
                self.assertLess(later - earlier, 1.7)

    @unittest.skipIf(LAUNCHER, "POSIX signals")
    def test_an_interrupt_in_the_finish_wait_leaves_the_markers(self):
        v = Install(self)
        v.put(5)
        v.put(2, content=b"pending\n")
        run = v.start()
        self.addCleanup(run.kill)
        run.wait_for(SENDING + b".")
        run.proc.send_signal(signal.SIGINT)
        self.assertEqual(run.finish(), -signal.SIGINT)
        head = console(BANNER + WAITING + b"\n" + SENDING)
        out = run.output()
        self.assertEqual(out[:len(head)], head)
        self.assertRegex(out[len(head):], b"^[.]+$")  # nothing after the last dot
        self.assertEqual(v.left(), {2, 5})


class TimeoutTest(unittest.TestCase):
    def test_start_timeout_after_twenty_seconds_cleans_stale_markers(self):
        v = Install(self)
        if SIM:
            # A sender that never starts, after an earlier run left markers.
            self.assertEqual(v.sim("--no-start", "--stale", "1,3,6").wait(RUN_TIMEOUT), 0)
            self.assertEqual(v.left(), {1, 3, 6})
        else:
            v.put(1, 6)
            v.put(3, content=b"stale\n")
        os.mkdir(v.marker(4))  # a directory: not a marker, stays
        started = time.monotonic()
        code, out = v.run()
        elapsed = time.monotonic() - started
        self.assertEqual((code, out), (10, timeout_report()))
        self.assertEqual(v.left(), set())
        self.assertTrue(os.path.isdir(v.marker(4)))
        self.assertGreater(elapsed, 19.7)
        self.assertLess(elapsed, 40)


@unittest.skipUnless(SIM, "needs --sim")
class SimTest(unittest.TestCase):
    """Runs of the monitor with varnel-sim playing the sending program."""

    def expect(self, out, outcome, detail_pattern=b"", start_dots=b"[.]*", finish_dots=b"[.]*"):
        pattern = (re.escape(console(BANNER + WAITING)) + start_dots + re.escape(console(b"\n" + SENDING)) +
                   finish_dots + re.escape(console(OUTCOME_TEXT[outcome])) + detail_pattern)
        self.assertRegex(out, b"^" + pattern + b"$")

    def test_each_outcome(self):
        runs = {}
        for outcome in range(5):
            v = Install(self)
            sim = v.sim("--start-delay", "1.2", "--send-time", "1.2", "--outcome", str(outcome),
                        "--detail", "first line", "--detail", "second line")
            runs[outcome] = (v, sim, subprocess.Popen(v.command(), stdout=subprocess.PIPE,
                                                      stdin=subprocess.DEVNULL, cwd=v.root))
        for outcome, (v, sim, monitor) in runs.items():
            with self.subTest(outcome=outcome):
                out, _ = monitor.communicate(timeout=RUN_TIMEOUT)
                self.assertEqual(sim.wait(RUN_TIMEOUT), 0)
                self.assertEqual(monitor.returncode, outcome)
                detail = tagged(b"first line\n", b"second line\n") + b"\n" if outcome in (2, 3) else b""
                self.expect(out, outcome, re.escape(console(detail)))
                self.assertEqual(v.left(), set())

    def test_late_start_with_the_sample_detail(self):
        v = Install(self)
        sim = v.sim("--start-delay", "3", "--send-time", "0.5", "--outcome", "3")
        code, out = v.run()
        self.assertEqual(sim.wait(RUN_TIMEOUT), 0)
        self.assertEqual(code, 3)
        line = re.escape(console(TAG)) + b"[^\r\n]+" + re.escape(console(b"\n"))
        self.expect(out, 3, b"(" + line + b")+" + re.escape(console(b"\n")), start_dots=b"[.]{2,}")
        self.assertEqual(v.left(), set())


def peak_memory_samples(command, cwd):
    """Runs `command`, sampling its peak resident memory (VmHWM, KiB) while it
    runs; returns (exit code, output, samples)."""
    run = LiveRun(command, cwd)
    samples = []
    while run.proc.poll() is None:
        try:
            with open("/proc/%d/status" % run.proc.pid) as status:
                for line in status:
                    if line.startswith("VmHWM:"):
                        samples.append(int(line.split()[1]))
        except OSError:
            pass
        time.sleep(0.05)
    code = run.finish()
    return code, run.output(), samples


class FaultsTest(unittest.TestCase):
    """What the disk, the pipe and the sending program can throw at a run."""

    def test_a_detail_file_still_being_appended_to_is_echoed_as_far_as_it_reaches(self):
        v = Install(self)
        v.put(5, 6)
        stop = threading.Event()
        lines = [b"line %d\n" % i for i in range(100000)]

        def append():  # the sending program, still writing
            with open(v.marker(3), "ab", buffering=0) as f:
                for line in lines:
                    if stop.is_set():
                        return
                    f.write(line)
                    time.sleep(0.001)

        v.put(3, content=lines[0])
        writer = threading.Thread(target=append)
        writer.start()
        self.addCleanup(writer.join)
        self.addCleanup(stop.set)
        started = time.monotonic()
        code, out = v.run()
        self.assertLess(time.monotonic() - started, 30)  # it did not wait for the writer
        self.assertEqual(code, 3)
        head = outcome_report(3)
        self.assertEqual(out[:len(head)], head)
        echoed = out[len(head):]
        self.assertTrue(echoed.endswith(console(b"\n")))
        # Some whole lines, in order, from the first on (the last may be cut).
        body = echoed[:-len(console(b"\n"))]
        self.assertTrue(body.startswith(console(tagged(lines[0]))), body[:100])

    def test_a_non_blocking_pipe_that_fills_up_loses_nothing(self):
        v = Install(self)
        v.put(5, 6)
        detail = b"".join(b"detail line %06d\n" % i for i in range(60000))  # ~1.2 MB out
        v.put(2, content=detail)
        read_end, write_end = os.pipe()
        os.set_blocking(write_end, False)
        received = []

        def slow_reader():
            time.sleep(0.3)  # let varnel meet a full pipe first
            while True:
                data = os.read(read_end, 65536)
                if not data:
                    return
                received.append(data)

        reader = threading.Thread(target=slow_reader)
        reader.start()
        try:
            code, _ = v.run(stdout=write_end)
        finally:
            os.close(write_end)
            reader.join(RUN_TIMEOUT)
            os.close(read_end)
        self.assertEqual(code, 2)
        expected = tagged(*detail.splitlines(keepends=True)) + b"\n"
        self.assertEqual(b"".join(received), outcome_report(2, expected))

    def test_the_marker_directory_renamed_during_the_finish_wait(self):
        v = Install(self)
        v.put(5)
        run = v.start()
        self.addCleanup(run.kill)
        run.wait_for(SENDING + b".")
        moved = v.dir + " moved"
        os.rename(v.dir, moved)
        open(os.path.join(moved, "E6.$$$"), "wb").close()  # no longer where varnel looks
        time.sleep(2.5)
        self.assertIsNone(run.proc.poll())  # still waiting, without end
        self.assertRegex(run.output(), re.escape(SENDING) + b"[.]{3,}$")
        os.rename(moved, v.dir)  # the finish marker is back in its place
        self.assertEqual(run.finish(), 0)
        self.assertRegex(run.output(),
                         re.escape(console(b"\n") + SENDING) + b"[.]+" + re.escape(console(OUTCOME_TEXT[0])) + b"$")
        self.assertEqual(v.left(), set())

    def test_a_detail_file_of_several_gigabytes_in_flat_memory(self):
        v = Install(self)
        v.put(5, 6)
        size = (4 << 30) + 6  # past 4 GiB: no 32-bit count holds it
        with open(v.marker(3), "wb") as f:
            f.write(b"x" * 1000)
            f.seek(size - 6)  # a hole of zeros: NUL bytes, written by no one
            f.write(b"\ntail\n")
        line_feed = size - 6
        expected = tagged(b"x" * 254, b"x" * 254, b"x" * 254, b"x" * 238)
        if line_feed % 254 == 0:
            expected += tagged(b"\n")
        expected += tagged(b"tail\n") + b"\n"
        code, out, samples = peak_memory_samples(v.command(), v.root)
        self.assertEqual((code, out), (3, outcome_report(3, expected)))
        # The peak early in the file and at its end are the same.
        self.assertGreater(len(samples), 4, samples)
        self.assertLess(samples[-1] - samples[2], 512, samples)


EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")


@unittest.skipUnless(SIM, "needs --sim")
class ExamplesTest(unittest.TestCase):
    """The example wrapper scripts, with varnel-sim as the sending program."""

    def test_the_wrapper_branches_on_each_exit_code(self):
        said = {0: b"SMS sent.", 1: b"Dial-up connection failed", 2: b"SMTP server",
                3: b"message was not sent", 4: b"name was not found"}
        for outcome, text in said.items():
            with self.subTest(outcome=outcome):
                v = Install(self)
                shutil.copy2(SIM, v.dir)
                sender = os.path.join(v.dir, os.path.basename(SIM))
                if LAUNCHER:  # the batch file, run by Windows' command interpreter
                    shutil.copy2(os.path.join(EXAMPLES, "send-sms.bat"), v.dir)
                    command = LAUNCHER + ["cmd", "/c", "send-sms.bat"]
                    env = dict(os.environ, SENDER=os.path.basename(SIM))
                else:
                    shutil.copy2(os.path.join(EXAMPLES, "send-sms.sh"), v.dir)
                    command = [os.path.join(v.dir, "send-sms.sh")]
                    env = dict(os.environ, SENDER=sender)
                proc = subprocess.run(command + ["--dir", v.dir, "--send-time", "0.3", "-o", str(outcome)],
                                      stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, cwd=v.dir,
                                      env=env, timeout=RUN_TIMEOUT)
                self.assertEqual(proc.returncode, outcome, proc.stdout)
                last_line = proc.stdout.rstrip(b"\r\n").splitlines()[-1]
                self.assertIn(text, last_line)
                self.assertEqual(v.left(), set())


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + UNITTEST_ARGS, verbosity=2)
