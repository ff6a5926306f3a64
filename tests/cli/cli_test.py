"""Runs the built lunomat-cli and checks what a user or a script sees."""

import calendar, json, os, re, shlex, shutil, subprocess, sys, tempfile, time, unittest
from datetime import datetime
from pathlib import Path

HERE = Path(__file__).resolve().parent


def run(*args, stdout=subprocess.PIPE, **options):
    return subprocess.run([CLI, *args], stdout=stdout, stderr=subprocess.PIPE, timeout=120, **options)


def out(*args):
    result = run(*args)
    assert result.returncode == 0 and result.stderr == b"", (args, result)
    return result.stdout.decode("utf-8")


def data_lines(name):
    return [line for line in HERE.joinpath(name).read_text().split("\n") if line and not line.startswith("#")]


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
        value = lambda text: float(text) if re.fullmatch(r"-?[0-9.]+", text) else text or None
        for args in (("year", "1911"), ("eclipses",), ("phases", "1600", "1601"), ("eclipses", "--from", "1900", "--to", "2100"),
                     ("moon", "1.1.1583", "00:00:01"), ("rise", "1.6.2024", "10.7.2024", "--place", "69.65,18.96"),
                     ("apsides", "1900"), ("eclipses", "--from", "2020", "--to", "2030", "--place", "-33.87,151.21")):
            with self.subTest(args=args):
                rows = [l.split(",") for l in out(*args, "--format", "csv").split("\n")[:-1]]
                expected = [{key: value(text) for key, text in zip(rows[0], row)} for row in rows[1:]]
                self.assertEqual(json.loads(out(*args, "--format", "json")), expected[0] if args[0] == "moon" else expected)

    def test_times_in_any_zone(self):
        for zone, offset, name in (("UTC", "+00:00", "UTC"), ("America/New_York", "-05:00", "EST"), ("Asia/Kolkata", "+05:30", "IST"),
                                   ("CET-1CEST,M3.5.0,M10.5.0/3", "+01:00", "MEZ"), (":Europe/Berlin", "+01:00", "MEZ")):
            with self.subTest(zone=zone):
                os.environ["TZ"] = zone
                phase, utc, local = out("phases", "2024", "--format", "csv").split("\n")[1].split(",")[:3]
                self.assertEqual((local[-6:], datetime.fromisoformat(local)), (offset, datetime.fromisoformat(utc)))
                self.assertRegex(out("phases", "2024").split("\n")[0], "^Halbmond abnehmend  .* " + name + "  Lunation 1249$")
        os.environ["TZ"] = "Europe/Berlin"
        # A time the clock shows twice: the first, and the text says so.
        self.assertEqual(out("moon", "2024-10-27", "02:30", "--format", "csv").split("\n")[1][:20], "2024-10-27T00:30:00Z")
        self.assertIn("zweimal; genommen ist die erste, 02:30 MESZ", out("moon", "2024-10-27", "02:30").split("\n")[1])

    def test_version_and_help_agree_with_the_manual(self):
        self.assertRegex(out("-V"), r"^lunomat-cli \d+\.\d+\.\d+\n$")
        self.assertEqual([out("--version"), out("-h"), out("hilfe")], [out("-V"), out("--help"), out("--help")])
        manual = HERE.joinpath("../../packaging/lunomat-cli.1").read_text().replace("\\-", "-")
        words = set(re.findall(r"(?<![\w-])(--?[a-zV]+|[a-z]+_[a-z_]+|phases?|year|moon|eclipses)\b", out("--help")))
        self.assertEqual((len(words) > 8, {w for w in words if w not in manual}), (True, set()))


class PathsTest(unittest.TestCase):
    """What the CLI's own output meets; where a calendar file may go is tried in tests/files."""

    def test_output_paths(self):
        new = os.path.join(self.enterContext(tempfile.TemporaryDirectory()), "new")
        os.mkdir(new)
        # A device, one that is full (also as standard output), a full or read-only file system.
        self.assertEqual(out("year", "2024", "--ics", "/dev/null"), "")  # a device takes the calendar as it is
        for target in ("-", "/dev/full", "/dev/stdout"):
            with self.subTest(target=target), open("/dev/full", "wb") as full:
                result = run("year", "2024", "--ics", target, stdout=full)
                self.assertRegex(f"{result.returncode} {result.stderr.decode()}", r"^1 lunomat-cli: Die (Ausgabe|Datei „/dev/\w+“) (kann|konnte) nicht "
                                 r"geschrieben werden: Kein Speicherplatz mehr auf dem Gerät\.\n$")
        if os.geteuid() != 0 or subprocess.run(["mount", "-t", "tmpfs", "-o", "size=12k", "tmpfs", new]).returncode:
            self.skipTest("a small file system can be mounted by root only")
        try:
            Path(new, "fill").write_bytes(b"x" * 8000)
            Path(new, "old.ics").write_text("old\n")
            for remount, reason in (("rw", "Kein Speicherplatz"), ("ro", "Dateisystem ist nur lesbar")):
                subprocess.run(["mount", "-o", "remount," + remount, new], check=True)
                for name in ("old.ics", "other.ics"):
                    with self.subTest(mount=remount, name=name):
                        result = run("year", "2024", "--ics", os.path.join(new, name))
                        self.assertEqual((result.returncode, reason in result.stderr.decode()), (1, True), result.stderr)
            self.assertEqual((sorted(os.listdir(new)), Path(new, "old.ics").read_text()), (["fill", "old.ics"], "old\n"))
        finally:
            subprocess.run(["umount", new])


class CalendarTest(unittest.TestCase):
    def test_calendar_holds_the_minutes_of_phases(self):
        import icalendar
        # Zone names that fold each description once, or make it exactly 75 octets: no fold, and no empty continuation.
        for year, zone in (("2024", "Europe/Berlin"), ("1700", "Europe/Berlin"), ("2025", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ-1"), ("2025", "ABCDEFGHIJKLMNOPQRS-1")):
            with self.subTest(year=year), tempfile.TemporaryDirectory() as folder:
                os.environ["TZ"] = zone
                time.tzset()
                self.assertEqual(out("year", year, "--ics", folder + "/mond.ics"), "")
                raw = Path(folder, "mond.ics").read_bytes()
                self.assertEqual((raw.count(b"\n"), b"\r\n \r\n" in raw), (raw.count(b"\r\n"), False))
                self.assertLessEqual(max(len(line) for line in raw.split(b"\r\n")), 75)
                calendar = icalendar.Calendar.from_ical(raw)
                self.assertIn(year, str(calendar["X-WR-CALNAME"]))  # and the two properties RFC 5545 requires:
                self.assertRegex(f'{calendar["VERSION"]} {calendar["PRODID"]}', r"^2\.0 -//Luno-Mat//lunomat-cli \d+\.\d+\.\d+//DE$")
                events = calendar.walk("VEVENT")
                rows = [row.split(",") for row in out("phases", year, "--format", "csv").split("\n")[1:-1]]
                lines = [line.split("  ")[:3] for line in out("phases", year).split("\n")[:-1]]
                # The calendar's minute is the text's: the instant rounded, never cut.
                rounded = [datetime.fromtimestamp((int(datetime.fromisoformat(r[1]).timestamp()) + 30) // 60 * 60).astimezone() for r in rows]
                # A phase is an instant, not time taken: the events leave the day free (TRANSP).
                self.assertEqual([(e["DTSTART"].dt.timestamp(), str(e["SUMMARY"]), str(e["DESCRIPTION"]).split("\n")[0], str(e["TRANSP"])) for e in events],
                                 [(t.timestamp(), name, "Ortszeit " + day + " " + clock, "TRANSPARENT") for t, (name, day, clock) in zip(rounded, lines)])
                self.assertEqual([clock.split()[0] for _, _, clock in lines], [t.strftime("%H:%M") for t in rounded])
                for e in events:  # within its local minute, so on one day in every zone
                    start, end = e["DTSTART"].dt.astimezone(), e["DTEND"].dt.astimezone()
                    self.assertEqual((start.strftime("%Y%m%d%H%M"), 0 < (end - start).total_seconds() < 60), (end.strftime("%Y%m%d%H%M"), True))
                # The UID names lunation and phase: the same in every export of that phase.
                uids = [str(e["UID"]) for e in events]
                self.assertEqual(uids, [f"lunation-{r[3]}-{r[0]}@lunomat-cli" for r in rows])
        os.environ["TZ"] = "Europe/Berlin"
        time.tzset()
        self.assertTrue(set(uids) < set(re.findall(r"UID:(\S+)", out("phases", "2024", "2026", "--ics", "-"))))


class KhalTest(unittest.TestCase):
    """A calendar program that keeps events by UID holds one per phase after
    importing a year twice and an overlapping range once."""

    def test_imports_again_update(self):
        with tempfile.TemporaryDirectory() as folder:
            os.mkdir(folder + "/mond")
            formats = "".join(f"{k} = %Y-%m-%d %H:%M\n" for k in ("datetimeformat", "longdatetimeformat"))
            Path(folder, "config").write_text(f"[calendars]\n[[mond]]\npath = {folder}/mond\n[sqlite]\npath = {folder}/db\n"
                                              "[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                                              + formats + "local_timezone = Europe/Berlin\ndefault_timezone = Europe/Berlin\n")
            khal = ["khal", "-c", folder + "/config"]
            for args in (("year", "2024"), ("year", "2024"), ("phases", "2024", "2025")):
                self.assertEqual(out(*args, "--ics", folder + "/in.ics"), "")
                subprocess.run(khal + ["import", "--batch", "-a", "mond", folder + "/in.ics"], check=True, capture_output=True)
            listed = subprocess.run(khal + ["list", "-df", "", "-f", "{uid}", "2023-12-31", "2026-01-02"], check=True,
                                    capture_output=True, text=True).stdout.split()
            phases = out("phases", "2024", "2025", "--format", "csv").split("\n")[1:-1]
            self.assertEqual((len(os.listdir(folder + "/mond")), len(listed), len(set(listed))), (len(phases),) * 3)


class ErrorsTest(unittest.TestCase):
    def assert_refused(self, *args, ics=None):
        with tempfile.TemporaryDirectory() as folder:
            ics = args[:1] in (("year",), ("phases",)) if ics is None else ics
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
        self.assertIn("zwischen 1900 und 2100", self.assert_refused("year", "1899", ics=False))
        self.assertIn("zwischen -90 und 90", self.assert_refused("rise", "1.1.2024", "--place", "90.5,0"))
        self.assertIn("02:30 gibt es am 31.03.2024 in der Zeitzone nicht: die Uhr springt dort von 02:00 auf 03:00",
                      self.assert_refused("moon", "2024-03-31", "02:30"))
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
                # The moment as the first field of the record, or nothing and the reason.
                expected = (0, "%04d-%02d-%02dT%02d:%02d:%02dZ" % moment) if computed else (1, "")
                shown = result.stdout.decode().split("\n")[1].split(",")[0] if computed else result.stdout.decode()
                self.assertEqual((result.returncode, shown), expected, result.stderr)
                if not computed:
                    self.assertRegex(result.stderr.decode(), r"^lunomat-cli: Die Uhr des Rechners .*1583 bis 9999")


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv[1])  # the program under test
    if sys.argv[2:] == ["KhalTest"] and not shutil.which("khal"):
        print("SKIPPED: the calendar program khal is not installed")
        sys.exit(77)  # reported to ctest as skipped
    os.environ["TZ"] = "Europe/Berlin"
    result = unittest.main(argv=[sys.argv[0], *sys.argv[2:]], verbosity=2, exit=False).result
    # A check that could not run is reported to ctest as skipped, never as passed.
    sys.exit(1 if not result.wasSuccessful() else 77 if result.skipped else 0)
