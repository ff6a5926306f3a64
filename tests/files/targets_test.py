"""Where a file the program writes may go, and what must become of it there.

One table, run against each writer: lunomat-cli writing its calendar
(year 2024 --ics TARGET) and a printout into a PDF file (print_probe TARGET).
The expected outcomes are those of a shell redirection for descriptors and
devices, of the kernel's rule for links in shared sticky folders
(fs.protected_symlinks), and otherwise of a careful Unix tool: a file gets
the complete new content with its mode and links, or keeps the old one.
"""

import os, re, shlex, shutil, stat, subprocess, sys, tempfile, unittest
from pathlib import Path

ROOT = os.geteuid() == 0
NOBODY = 65534
OWN = f"chown -R {NOBODY}" if ROOT else "true"  # hands a case's files to the user the writer runs as
AS_USER = f"setpriv --reuid={NOBODY} --regid={NOBODY} --clear-groups " if ROOT else ""
LONG = "m" * 251 + ".pdf"  # 255 bytes, the longest name a folder takes

# (case, setup, command ($W is the writer), status, expectations "name=what ...")
# what: new (only the new content, whole), old (untouched), absent, link
# (still a symbolic link), dev (still a character device), A+new+B (new
# content between A and B, "\n" after each), @mode (with this mode).
BIG = "yes old | head -c 300000 > f"  # an old content longer than the new one
# Folders nested until the absolute folder name is 4084 bytes long: the new
# name "x" fits, a temporary name of more than 11 bytes does not.
DEEP = """p=$PWD; d=.; while r=$((4084 - ${#p} - ${#d} + 1)); [ $r -gt 0 ]; do
  k=$((r > 201 ? 200 : r - 1)); [ $((r - k - 1)) -eq 1 ] && k=$((k - 1))
  d=$d/$(printf '%*s' $k '' | tr ' ' d); done; mkdir -p $d; echo $d > deep"""

# The descriptor cases reach /proc/self/fd through links of their own, made
# like /dev/stdout and /dev/fd: a writer that replaces what a name leads to
# must not take the system's /dev entries with it.
CASES = [
    ("appended to standard output", "printf 'l1\\n' > log; ln -s /proc/self/fd/1 stdout", "$W stdout >> log", 0, "log=l1+new stdout=link"),
    ("standard output of a group", "ln -s /proc/self/fd/1 stdout", "{ echo header; $W stdout; echo footer; } > out", 0,
     "out=header+new+footer"),
    ("standard input is no output", "echo old > notes; ln -s /proc/self/fd/0 stdin", "$W stdin < notes", 1, "notes=old"),
    ("descriptor through a linked folder", "echo old > log; ln -s /proc/self/fd fd", "$W fd/3 3>> log", 0, "log=old+new fd=link"),
    ("reader gone", "ln -s /proc/self/fd/1 stdout", "{ sleep 0.3; $W stdout; echo $? > status; } | true; exit $(cat status)", 1, ""),
    ("closed descriptor", "ln -s /proc/self/fd fd", "$W fd/7 7>&-", 1, ""),
    ("private file keeps its mode", "echo old > f; chmod 640 f", "$W f", 0, "f=new@640"),
    ("hard link keeps both names", BIG + "; ln f g", "$W f", 0, "f=new g=new"),
    ("FIFO is written into", "mkfifo p", "cat p > got & $W p; wait", 0, "got=new"),
    ("link leads to its target", "echo old > f; ln -s f l", "$W l", 0, "f=new l=link"),
    ("relative link in another folder", "mkdir -p sub/d d; echo old > sub/d/f; ln -s d/f sub/l", "$W sub/l", 0, "sub/d/f=new sub/l=link d/f=absent"),
    ("dangling link makes its target", "mkdir d; ln -s d/../made l", "$W l", 0, "made=new l=link"),
    ("name of 255 bytes", "", "$W " + LONG, 0, LONG + "=new"),
    ("name of 256 bytes", "", "$W x" + LONG, 1, ""),
    ("read-only file", "echo old > f; chmod 444 f", "$W f", 1, "f=old@444"),
    ("folder", "mkdir d", "$W d", 1, ""),
    ("missing folder", "", "$W nix/f", 1, "nix=absent"),
    # (A device node of its own: a writer that replaces devices must not take the system's /dev/full with it.)
    ("full device", "mknod full c 1 7 2>/dev/null || ln -s /dev/full full", "$W full", 1, "full=dev"),
    ("folder without new names, writable file", f"mkdir c; cd c; {BIG}; cd ..; {OWN} c; chmod 555 c", f"{AS_USER}$W c/f", 0, "c/f=new"),
    ("long name in a folder without new names", f"mkdir c; echo old > c/{LONG}; {OWN} c; chmod 555 c", f"{AS_USER}$W c/{LONG}", 0, f"c/{LONG}=new"),
    ("foreign link in a shared sticky folder", f"mkdir -m 1777 s; echo old > f; chmod 600 f; ln -s ../f s/l; chown -h {NOBODY} s/l",
     "$W s/l", 1, "f=old@600 s/l=link"),
    ("foreign dangling link in a shared sticky folder", f"mkdir -m 1777 s; ln -s ../made s/l; chown -h {NOBODY} s/l", "$W s/l", 1, "made=absent"),
    ("foreign link to a folder in a shared sticky folder", f"mkdir -m 1777 s d; ln -s ../d s/l; chown -h {NOBODY} s/l", "$W s/l/x", 1, "d/x=absent"),
    ("own link in a shared sticky folder", "mkdir -m 1777 s; echo old > f; ln -s ../f s/l", "$W s/l", 0, "f=new"),
    ("link of the folder's owner in a shared sticky folder", f"mkdir -m 1777 s; echo old > f; ln -s ../f s/l; chown -h {NOBODY} s/l s",
     "$W s/l", 0, "f=new"),
    ("foreign link in a sticky folder only its owner writes", f"mkdir -m 1755 s; echo old > f; ln -s ../f s/l; chown -h {NOBODY} s/l",
     "$W s/l", 0, "f=new"),
    # A folder so deep that not even a short temporary name fits beside the new file (PATH_MAX 4096).
    ("no room for a temporary name", DEEP, '$W "$(cat deep)/x" && cp "$(cat deep)/x" copy', 0, "copy=new"),
]

# Signals that may end the program while the new content is on its way to
# an older file; none may leave a temporary file or a damaged old one.
SIGNALS = ("SIGTERM", "SIGINT", "SIGHUP", "SIGQUIT", "SIGUSR1", "SIGALRM")

STRAY = re.compile(r"^\.lunomat|\.(pdf|ics)\.\w{6}$|^\.qt_temp")


class TargetsTest(unittest.TestCase):
    def folder(self):
        top = tempfile.mkdtemp()
        os.chmod(top, 0o755)  # reachable for the user of the folder cases
        self.addCleanup(shutil.rmtree, top, ignore_errors=True)
        self.addCleanup(subprocess.run, ["chmod", "-R", "u+rwx", top])  # runs first (last in, first out): opens the closed folders
        return top

    def expect(self, folder, expectation, result):
        name, what = expectation.split("=", 1)
        path, (what, _, mode) = os.path.join(folder, name), what.partition("@")
        kinds = {"absent": lambda: not os.path.lexists(path), "link": lambda: os.path.islink(path),
                 "dev": lambda: stat.S_ISCHR(os.stat(path).st_mode)}
        if what in kinds:
            return self.assertTrue(kinds[what](), name)
        content = Path(path).read_bytes()
        if what == "old":
            self.assertEqual(content, b"old\n", name)
        else:
            head, tail = (b"".join(p.encode() + b"\n" for p in part.split("+") if p) for part in what.split("new"))
            self.assertTrue(content.startswith(head + MAGIC) and content.endswith(END + tail), (name, content[:40], result.stderr))
            self.assertGreater(len(content), len(head + MAGIC + tail) + 100, name)
        if mode:
            self.assertEqual(oct(stat.S_IMODE(os.stat(path).st_mode)), "0o" + mode, name)

    def test_targets(self):
        for case, setup, command, status, expected in CASES:
            with self.subTest(case=case):
                folder = self.folder()
                if subprocess.run(["sh", "-ec", setup], cwd=folder, capture_output=True).returncode:
                    self.skipTest(f"{case}: the case cannot be set up by this user")
                env = dict(os.environ, W=" ".join(map(shlex.quote, WRITER)))
                result = subprocess.run(["sh", "-c", command], cwd=folder, env=env,
                                        stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
                self.assertEqual(result.returncode, status, result.stderr)
                if status:  # a failure says why
                    self.assertRegex(result.stderr.decode(), r"\S")
                elif "$W stdout" not in command:
                    self.assertEqual(result.stdout, b"")
                for expectation in expected.split():
                    self.expect(folder, expectation, result)
                for path, dirs, files in os.walk(folder):
                    self.assertEqual([n for n in dirs + files if STRAY.search(n)], [], path)

    def test_signals_leave_the_old_file_whole(self):
        for signal in SIGNALS:
            with self.subTest(signal=signal):
                folder = self.folder()
                target = os.path.join(folder, "old")
                Path(target).write_text("old\n")
                # Stopped when all the content is written, just before the temporary file takes the old one's place.
                temporary = '$_regex((const char *) $rdi, ".*/([.]lunomat|old[.])")'
                gdb = ["gdb", "-batch", "-ex", "break rename if " + temporary, "-ex", "run", "-ex", "signal " + signal,
                       "--args", *WRITER, target]
                try:
                    result = subprocess.run(gdb, capture_output=True, timeout=300)
                except FileNotFoundError:
                    self.skipTest("no gdb")
                if result.returncode or b"Breakpoint 1" not in result.stdout:
                    self.skipTest("the writer cannot be stopped under gdb: " + result.stdout.decode()[-300:])
                self.assertRegex(result.stdout.decode(), f"(received|terminated with) signal {signal}")
                self.assertEqual((os.listdir(folder), Path(target).read_bytes()), (["old"], b"old\n"))


if __name__ == "__main__":
    KIND, PROGRAM = sys.argv[1], os.path.abspath(sys.argv[2])
    # The writer, how its content starts and how it ends.
    WRITER, MAGIC, END = {"cli": ([PROGRAM, "year", "2024", "--ics"], b"BEGIN:VCALENDAR\r\n", b"END:VCALENDAR\r\n"),
                          "print": ([PROGRAM], b"%PDF-", b"%%EOF\n")}[KIND]
    os.environ["TZ"] = "Europe/Berlin"
    result = unittest.main(argv=[sys.argv[0]], verbosity=2, exit=False).result
    # A case that could not run is reported to ctest as skipped, never as passed.
    sys.exit(1 if not result.wasSuccessful() else 77 if result.skipped else 0)
