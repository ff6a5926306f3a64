"""Runs the built lunomat-cli and checks what a user or a script sees."""

import json, os, re, shlex, stat, subprocess, sys, tempfile, unittest
from datetime import datetime


def run(*args, stdout=subprocess.PIPE, **options):
    return subprocess.run([CLI, *args], stdout=stdout, stderr=subprocess.PIPE, timeout=120, **options)


def read(path, mode="r"):
    with open(path, mode) as file:
        return file.read()


def write(path, content=b"old\n", mode=0o644):
    with open(path, "wb") as file:
        file.write(content)
    os.chmod(path, mode)


def out(*args):
    result = run(*args)
    assert result.returncode == 0 and result.stderr == b"", (args, result)
    return result.stdout.decode("utf-8")


def data_lines(name):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    return [line for line in read(path).split("\n") if line and not line.startswith("#")]


class OutputTest(unittest.TestCase):
    def test_lines_scripts_rely_on(self):
        for line in data_lines("output.txt"):
            if line.startswith("$ "):
                args, count = line[2:].split(" -> ")
                lines = out(*args.split()).split("\n")
                self.assertEqual((len(lines), lines[-1]), (int(count) + 1, ""), args)
                continue
            index, kind, text = re.match(r"(\d+)([=~])(.*)", line).groups()
            (self.assertEqual if kind == "=" else self.assertRegex)(lines[int(index)], text, args)

    def test_json_holds_the_csv_records(self):
        value = lambda text: float(text) if re.fullmatch(r"-?[0-9.]+", text) else text
        for args in (("year", "1911"), ("eclipses",), ("phases", "1600", "1601"), ("eclipses", "--from", "1900", "--to", "2100"),
                     ("moon", "1.1.1583", "00:00:01")):
            with self.subTest(args=args):
                rows = [l.split(",") for l in out(*args, "--format", "csv").split("\n")[:-1]]
                expected = [{key: value(text) for key, text in zip(rows[0], row)} for row in rows[1:]]
                self.assertEqual(json.loads(out(*args, "--format", "json")), expected[0] if args[0] == "moon" else expected)

    def test_times_in_any_zone(self):
        for zone, offset, name in (("UTC", "+00:00", "UTC"), ("America/New_York", "-05:00", "EST"), ("Asia/Kolkata", "+05:30", "IST"),
                                   ("CET-1CEST,M3.5.0,M10.5.0/3", "+01:00", "MEZ"), (":Europe/Berlin", "+01:00", "MEZ")):
            with self.subTest(zone=zone):
                os.environ["TZ"] = zone
                phase, utc, local = out("phases", "2024", "--format", "csv").split("\n")[1].split(",")
                self.assertEqual((local[-6:], datetime.fromisoformat(local)), (offset, datetime.fromisoformat(utc)))
                self.assertRegex(out("phases", "2024").split("\n")[0], "^Halbmond abnehmend  .* " + name + "$")
        os.environ["TZ"] = "Europe/Berlin"

    def test_version_and_help_agree_with_the_manual(self):
        self.assertRegex(out("-V"), r"^lunomat-cli \d+\.\d+\.\d+\n$")
        self.assertEqual([out("--version"), out("-h"), out("hilfe")], [out("-V"), out("--help"), out("--help")])
        manual = read(os.path.dirname(os.path.abspath(__file__)) + "/../../packaging/lunomat-cli.1").replace("\\-", "-")
        words = set(re.findall(r"(?<![\w-])(--?[a-zV]+|[a-z]+_[a-z_]+|phases?|year|moon|eclipses)\b", out("--help")))
        self.assertEqual((len(words) > 8, {w for w in words if w not in manual}), (True, set()))


class PathsTest(unittest.TestCase):
    """What the CLI's own output meets; where a calendar file may go is tried in tests/files."""

    def test_output_paths(self):
        folder = tempfile.mkdtemp()
        at = lambda name: os.path.join(folder, name)
        os.mkdir(at("new"))
        # Standard output, a device that is full (also as standard output), a full or read-only file system.
        self.assertTrue(out("year", "2024", "--ics", "-").startswith("BEGIN:VCALENDAR\r\n"))
        self.assertEqual(out("year", "2024", "--ics", "/dev/null"), "")  # a device takes the calendar as it is
        for target in ("-", "/dev/full", "/dev/stdout"):
            with self.subTest(target=target), open("/dev/full", "wb") as full:
                result = run("year", "2024", "--ics", target, stdout=full)
                self.assertRegex(f"{result.returncode} {result.stderr.decode()}", r"^1 lunomat-cli: Die (Ausgabe|Datei „/dev/\w+“) (kann|konnte) nicht "
                                 r"geschrieben werden: Kein Speicherplatz mehr auf dem Gerät\.\n$")
        self.assertTrue(stat.S_ISCHR(os.stat("/dev/full").st_mode))
        if os.geteuid() != 0 or subprocess.run(["mount", "-t", "tmpfs", "-o", "size=12k", "tmpfs", at("new")]).returncode:
            self.skipTest("a small file system can be mounted by root only")
        try:
            write(at("new/fill"), b"x" * 8000)
            write(at("new/old.ics"))
            for remount, reason in (("rw", "Kein Speicherplatz"), ("ro", "Dateisystem ist nur lesbar")):
                subprocess.run(["mount", "-o", "remount," + remount, at("new")], check=True)
                for name in ("old.ics", "other.ics"):
                    with self.subTest(mount=remount, name=name):
                        result = run("year", "2024", "--ics", at("new/" + name))
                        self.assertEqual((result.returncode, reason in result.stderr.decode()), (1, True), result.stderr)
            self.assertEqual((sorted(os.listdir(at("new"))), read(at("new/old.ics"))), (["fill", "old.ics"], "old\n"))
        finally:
            subprocess.run(["umount", at("new")])


class CalendarTest(unittest.TestCase):
    def test_calendar_holds_the_instants_of_phases(self):
        import icalendar
        for year in ("2024", "2025"):
            with self.subTest(year=year), tempfile.TemporaryDirectory() as folder:
                self.assertEqual(out("year", year, "--ics", folder + "/mond.ics"), "")
                raw = read(folder + "/mond.ics", "rb")
                self.assertEqual(raw.count(b"\n"), raw.count(b"\r\n"))
                calendar = icalendar.Calendar.from_ical(raw)
                self.assertIn(year, str(calendar["X-WR-CALNAME"]))
                events = calendar.walk("VEVENT")
                utc = [row.split(",")[1] for row in out("phases", year, "--format", "csv").split("\n")[1:-1]]
                lines = [line.split("  ", 1) for line in out("phases", year).split("\n")[:-1]]
                self.assertEqual([(e["DTSTART"].dt.isoformat(), str(e["SUMMARY"]), str(e["DESCRIPTION"])) for e in events],
                                 [(t.replace("Z", "+00:00"), name, "Ortszeit " + local.replace("  ", " "))
                                  for t, (name, local) in zip(utc, lines)])
                self.assertTrue(all(e["DURATION"].dt.total_seconds() <= 3600 for e in events))
                uids = [str(e["UID"]) for e in events]
                self.assertEqual((len(set(uids)), uids), (len(events), re.findall(r"UID:(\S+)", out("phases", year, "--ics", "-"))))


class ErrorsTest(unittest.TestCase):
    def assert_refused(self, *args):
        with tempfile.TemporaryDirectory() as folder:
            ics = args[:1] in (("year",), ("phases",))
            result = run(*args, "--ics", "x.ics", cwd=folder) if ics else run(*args)
            self.assertEqual((result.returncode, result.stdout, os.listdir(folder)), (2, b"", []), args)
        message = result.stderr.decode("utf-8")
        self.assertRegex(message, r"^lunomat-cli: [^\n]+\nHilfe: lunomat-cli --help\n$")
        return message

    def test_bad_input_is_refused_with_status_2_and_no_output(self):
        for args in [[]] + [shlex.split(line) for line in data_lines("refused.txt")]:
            with self.subTest(args=args):
                self.assert_refused(*args)

    def test_arguments_are_shown_safely(self):
        self.assertIn("gibt es nicht", self.assert_refused("phase", "31.04.2009"))
        for argument, shown in (("20\x1b[31m", "„20\\x1B[31m“"), ("a\nb\x9b c\xa0", "„a\\nb\\xC2\\x9B c\xa0“"),
                                (b"\xf8\x88\x80\x80", "„\\xF8\\x88\\x80\\x80“"), ("ä" * 70, "„" + "ä" * 60 + "…“"),
                                ("a" * 131000, "„" + "a" * 60 + "…“"), ("20\u202e42", "„20\\u{202E}42“"),
                                ("\u2067\u200b2024\ufeff", "„\\u{2067}\\u{200B}2024\\u{FEFF}“")):
            with self.subTest(argument=argument[:10]):
                message = self.assert_refused("year", argument)
                self.assertIn(shown, message)
                self.assertIsNone(re.search(r"[\x00-\x09\x0b-\x1f\x7f-\x9f\u200b-\u200f\u202a-\u202e\u2066-\u2069\ufeff]", message))

    def test_what_the_system_does_is_said_in_german(self):
        # A closed standard output, and a zone the C library does not know (it silently takes UTC): said once.
        result = subprocess.run(["sh", "-c", '"$0" phase 29.07.2009 >&-', CLI], capture_output=True)
        self.assertEqual(result.returncode, 1)
        self.assertRegex(result.stderr.decode(), r"^lunomat-cli: Die Ausgabe konnte nicht geschrieben werden: [^\n]+\.\n$")
        self.assertNotIn("Systemfehler", result.stderr.decode())
        result = run("phases", "2024", env=dict(os.environ, TZ="Mars/Olympus"))
        self.assertEqual((result.returncode, result.stderr.decode().count("\n")), (0, 1))
        self.assertRegex(result.stderr.decode(), "^lunomat-cli: Die Zeitzone TZ=„Mars/Olympus“ ist unbekannt; die Zeiten gelten in UTC")


class ClockTest(unittest.TestCase):
    def test_moon_now_is_the_moment_of_the_clock_or_refused(self):
        import calendar
        # (UTC moment the clock shows, whether moon computes it): the years 1583 to 9999, and the edges of a
        # 64-bit count of nanoseconds (1677-09-21T00:12:43Z, 2262-04-11T23:47:16Z) well inside them.
        cases = [((2024, 6, 1, 12, 0, 0), True), ((1583, 1, 1, 0, 0, 0), True), ((1677, 9, 21, 0, 12, 43), True),
                 ((1677, 9, 21, 0, 12, 42), True), ((2262, 4, 12, 0, 0, 0), True), ((9999, 12, 31, 23, 59, 59), True),
                 ((1582, 12, 31, 23, 59, 59), False), ((10000, 1, 1, 0, 0, 0), False), ((1, 1, 1, 0, 0, 0), False)]
        for moment, computed in cases:
            with self.subTest(moment=moment):
                seconds = calendar.timegm((9999, 12, 31, 23, 59, 59)) + 1 if moment[0] == 10000 else calendar.timegm(moment)
                env = dict(os.environ, LD_PRELOAD=os.environ["LUNOMAT_FAKE_CLOCK"], LUNOMAT_TEST_CLOCK=str(seconds))
                result = run("moon", "--format", "csv", env=env)
                if computed:
                    self.assertEqual((result.returncode, result.stdout.decode().split("\n")[1].split(",")[0]),
                                     (0, "%04d-%02d-%02dT%02d:%02d:%02dZ" % moment), result.stderr)
                else:
                    self.assertEqual((result.returncode, result.stdout), (1, b""))
                    self.assertRegex(result.stderr.decode(), r"^lunomat-cli: Die Uhr des Rechners .*1583 bis 9999")


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv[1])  # the program under test
    os.environ["TZ"] = "Europe/Berlin"
    unittest.main(argv=[sys.argv[0], *sys.argv[2:]], verbosity=2)
